#include "textclipboard.h"

#include "controls/textselection.h"
#include "controls/ui/textselectionmime.h"

#include <QGuiApplication>
#include <QMimeData>

namespace {

bool g_overridden = false;
std::optional<QClipboard::Mode> g_mode;

QClipboard *clipboard()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
            ? QGuiApplication::clipboard()
            : nullptr;
}

} // namespace

QString TextClipboard::text(QClipboard::Mode mode)
{
    QClipboard *board = clipboard();
    const QMimeData *data = board ? board->mimeData(mode) : nullptr;
    if (!data || !data->hasText())
        return QString();
    return data->text();
}

bool TextClipboard::hasText(QClipboard::Mode mode)
{
    QClipboard *board = clipboard();
    const QMimeData *data = board ? board->mimeData(mode) : nullptr;
    return data && data->hasText();
}

void TextClipboard::setText(const QString &text, QClipboard::Mode mode)
{
    auto *data = new QMimeData;
    data->setText(text);
    setMimeData(data, mode);
}

void TextClipboard::setMimeData(QMimeData *data, QClipboard::Mode mode)
{
    QClipboard *board = clipboard();
    if (!board) {
        delete data;
        return;
    }
    board->setMimeData(data, mode);
}

std::optional<QClipboard::Mode> TextClipboard::selectionMode()
{
    if (g_overridden)
        return g_mode;
    QClipboard *board = clipboard();
    if (board && board->supportsSelection())
        return QClipboard::Selection;
    return std::nullopt;
}

void TextClipboard::overrideSelectionMode(std::optional<QClipboard::Mode> mode)
{
    g_overridden = true;
    g_mode = mode;
}

void TextClipboard::offerSelection(const TextDocument *document, const TextSelection &selection)
{
    const std::optional<QClipboard::Mode> mode = selectionMode();
    if (mode && !selection.isEmpty())
        setMimeData(new TextSelectionMime(document, selection.start(), selection.length()), *mode);
}
