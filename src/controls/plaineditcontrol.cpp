#include "plaineditcontrol.h"

#include "documentloader.h"
#include "fontproperties.h"
#include "pagedtextprinter.h"
#include "plaintextview.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

PlainEditControl::PlainEditControl(QWidget *parent)
    : EditControl(parent)
    , m_view(new PlainTextView(this))
    , m_loader(new DocumentLoader(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    setWordWrap(true);

    connect(m_view, &QPlainTextEdit::textChanged, this, &EditControl::textChanged);
    connect(m_view, &QPlainTextEdit::cursorPositionChanged, this, &EditControl::caretMoved);
    connect(m_view, &QPlainTextEdit::modificationChanged, this, &EditControl::modifiedChanged);
    connect(m_view, &PlainTextView::overwriteToggled, this, &EditControl::overwriteModeChanged);
    connect(m_view, &PlainTextView::userInteracted, this, &EditControl::userInteracted);
    connect(m_view, &PlainTextView::focusReceived, this, &EditControl::focusReceived);
    connect(m_view, &PlainTextView::contextMenuRequested, this, &EditControl::contextMenuRequested);
    connect(m_loader, &DocumentLoader::progress, this, &EditControl::loadProgress);
    connect(m_loader, &DocumentLoader::finished, this, [this](QTextDocument *document) {
        adoptDocument(document);
        m_view->setReadOnly(false);
        emit loadFinished();
    });
    adoptDocument(DocumentLoader::makeDocument(m_view->font()));
    m_document->setUndoRedoEnabled(true);
}

PlainEditControl::~PlainEditControl()
{
    m_loader->cancel();
}

void PlainEditControl::adoptDocument(QTextDocument *document)
{
    QTextDocument *old = m_document;
    document->setParent(this);
    m_document = document;
    m_highlights.clear();
    m_view->setExtraSelections({});
    m_view->setDocument(document);
    connect(document, &QTextDocument::contentsChanged, this, [this]() {
        if (!m_highlights.empty())
            refreshHighlights();
    });
    delete old;
    m_view->moveCursor(QTextCursor::Start);
    emit textChanged();
    emit modifiedChanged(false);
}

void PlainEditControl::loadPlainText(QString text)
{
    m_loader->cancel();
    if (text.size() <= m_asyncThreshold) {
        QTextDocument *document = DocumentLoader::makeDocument(m_view->font());
        const std::atomic_bool never = false;
        DocumentLoader::fill(document, text, never);
        adoptDocument(document);
        m_view->setReadOnly(false);
        emit loadFinished();
        return;
    }
    // The old text goes at once: nothing may edit or save it while the new one loads.
    adoptDocument(DocumentLoader::makeDocument(m_view->font()));
    m_view->setReadOnly(true);
    m_loader->start(std::move(text), m_view->font());
}

bool PlainEditControl::loading() const
{
    return m_loader->running();
}

QString PlainEditControl::plainText() const
{
    // The raw text keeps every character as typed (no-break spaces, line separators); only
    // the paragraph separators between blocks become line breaks.
    QString text = m_document->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

qsizetype PlainEditControl::textLength() const
{
    return m_document->characterCount() - 1;
}

qsizetype PlainEditControl::selectionStart() const
{
    return m_view->textCursor().selectionStart();
}

qsizetype PlainEditControl::selectionLength() const
{
    const QTextCursor cursor = m_view->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

QString PlainEditControl::selectedText() const
{
    QString text = m_view->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QTextCursor PlainEditControl::cursorAt(qsizetype offset) const
{
    QTextCursor cursor(m_document);
    cursor.setPosition(int(std::clamp<qsizetype>(offset, 0, textLength())));
    return cursor;
}

void PlainEditControl::setSelection(qsizetype start, qsizetype length)
{
    QTextCursor cursor = cursorAt(start);
    cursor.setPosition(int(std::clamp<qsizetype>(start + length, 0, textLength())),
                       QTextCursor::KeepAnchor);
    m_view->setTextCursor(cursor);
}

void PlainEditControl::selectAll()
{
    m_view->selectAll();
}

void PlainEditControl::replaceSelection(const QString &text)
{
    m_view->textCursor().insertText(text);
}

namespace {
// The first step of a replacement's undo group: undone last, it brings back the selection
// there was before. The document puts the caret at the end of what it restored once every
// step is undone, so the selection follows from the event loop.
class SelectionRestorer : public QAbstractUndoItem
{
public:
    SelectionRestorer(QPlainTextEdit *view, QTextDocument *document, const QTextCursor &selection)
        : m_view(view)
        , m_document(document)
        , m_anchor(selection.anchor())
        , m_position(selection.position())
    { }

    void undo() override
    {
        if (!m_view)
            return;
        QMetaObject::invokeMethod(
                m_view,
                [view = m_view, document = m_document, anchor = m_anchor, position = m_position] {
                    if (!view || !document || view->document() != document
                        || std::max(anchor, position) >= document->characterCount())
                        return;
                    QTextCursor cursor(document);
                    cursor.setPosition(anchor);
                    cursor.setPosition(position, QTextCursor::KeepAnchor);
                    view->setTextCursor(cursor);
                },
                Qt::QueuedConnection);
    }
    void redo() override { }

private:
    QPointer<QPlainTextEdit> m_view;
    QPointer<QTextDocument> m_document;
    int m_anchor;
    int m_position;
};
} // namespace

// Piece by piece: the document takes a hundred thousand short replacements much faster than
// one that spans them, which would take out and put back every line in between.
void PlainEditControl::replaceRanges(const QList<qsizetype> &starts, qsizetype length,
                                     const QString &text)
{
    if (starts.isEmpty() || (length == 0 && text.isEmpty()))
        return;
    QTextCursor editor(m_document);
    editor.beginEditBlock();
    m_document->appendUndoItem(new SelectionRestorer(m_view, m_document, m_view->textCursor()));
    // From the last to the first, so that the starts still to come keep their places.
    for (auto start = starts.crbegin(); start != starts.crend(); ++start) {
        editor.setPosition(int(std::clamp<qsizetype>(*start, 0, textLength())));
        editor.setPosition(int(std::clamp<qsizetype>(*start + length, 0, textLength())),
                           QTextCursor::KeepAnchor);
        editor.insertText(text);
    }
    editor.endEditBlock();
}

void PlainEditControl::cut()
{
    m_view->cut();
}

void PlainEditControl::copy()
{
    m_view->copy();
}

void PlainEditControl::paste()
{
    m_view->paste();
}

void PlainEditControl::deleteSelection()
{
    m_view->textCursor().removeSelectedText();
}

bool PlainEditControl::canPaste() const
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText() && !m_view->isReadOnly();
}

namespace {
// The stretch of text[from, to) that map changes, from its first to its last changed
// character, already mapped; first is -1 when map changes nothing.
struct Stretch
{
    int first = -1;
    QString text;
};

Stretch changedStretch(const QString &text, int from, int to, char16_t (*map)(char16_t))
{
    int first = -1;
    int last = -1;
    for (int i = from; i < to; ++i) {
        if (map(text[i].unicode()) != text[i].unicode()) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    if (first < 0)
        return {};
    QString mapped = text.mid(first, last - first + 1);
    for (QChar &c : mapped)
        c = QChar(map(c.unicode()));
    return {first, mapped};
}
} // namespace

// Each paragraph's changed stretch is replaced within the paragraph, so the paragraphs and
// their alignments stay as they are.
void PlainEditControl::mapCharacters(qsizetype start, qsizetype length, char16_t (*map)(char16_t))
{
    const qsizetype end = std::clamp<qsizetype>(start + length, 0, textLength());
    start = std::clamp<qsizetype>(start, 0, end);
    // Positions, not a cursor: a cursor would slide along with the replaced text.
    const int anchor = m_view->textCursor().anchor();
    const int position = m_view->textCursor().position();
    QTextCursor editor(m_document);
    bool editing = false;
    for (QTextBlock block = m_document->findBlock(int(start));
         block.isValid() && block.position() < end; block = block.next()) {
        const int from = int(std::max<qsizetype>(start - block.position(), 0));
        const int to = int(std::min<qsizetype>(end - block.position(), block.length() - 1));
        const Stretch stretch = changedStretch(block.text(), from, to, map);
        if (stretch.first < 0)
            continue;
        if (!editing)
            editor.beginEditBlock();
        editing = true;
        editor.setPosition(block.position() + stretch.first);
        editor.setPosition(editor.position() + int(stretch.text.size()), QTextCursor::KeepAnchor);
        editor.insertText(stretch.text);
    }
    if (!editing)
        return;
    editor.endEditBlock();
    QTextCursor restored(m_document);
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    m_view->setTextCursor(restored);
}

bool PlainEditControl::isModified() const
{
    return m_document->isModified();
}

void PlainEditControl::setModified(bool modified)
{
    m_document->setModified(modified);
}

qsizetype PlainEditControl::lineOfOffset(qsizetype offset) const
{
    return m_document->findBlock(int(std::clamp<qsizetype>(offset, 0, textLength()))).blockNumber();
}

qsizetype PlainEditControl::lineStart(qsizetype line) const
{
    const QTextBlock block = m_document->findBlockByNumber(int(line));
    return block.isValid() ? block.position() : -1;
}

EditControl::Alignment PlainEditControl::paragraphAlignment(qsizetype offset) const
{
    const Qt::Alignment alignment = cursorAt(offset).blockFormat().alignment();
    if (alignment & Qt::AlignRight)
        return Alignment::Right;
    if (alignment & Qt::AlignHCenter)
        return Alignment::Center;
    return Alignment::Left;
}

void PlainEditControl::setParagraphAlignment(qsizetype start, qsizetype length, Alignment alignment)
{
    static const Qt::Alignment kQt[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    QTextCursor cursor = cursorAt(start);
    cursor.setPosition(int(std::clamp<qsizetype>(start + length, 0, textLength())),
                       QTextCursor::KeepAnchor);
    QTextBlockFormat format;
    format.setAlignment(kQt[int(alignment)]);
    // Alignment is not part of the file: it must not make the text count as changed.
    const bool wasModified = m_document->isModified();
    cursor.mergeBlockFormat(format);
    m_document->setModified(wasModified);
    m_view->viewport()->update();
}

void PlainEditControl::setHighlight(qsizetype start, qsizetype length, const QColor &foreground,
                                    const QColor &background)
{
    Highlight highlight{cursorAt(start), cursorAt(start + length), {}};
    // Text typed at either edge stays outside the coloured range.
    highlight.end.setKeepPositionOnInsert(true);
    highlight.format.setForeground(foreground);
    highlight.format.setBackground(background);
    m_highlights.push_back(highlight);
    refreshHighlights();
}

void PlainEditControl::clearHighlight()
{
    m_highlights.clear();
    m_view->setExtraSelections({});
}

void PlainEditControl::refreshHighlights()
{
    QList<QTextEdit::ExtraSelection> selections;
    for (const Highlight &highlight : m_highlights) {
        QTextCursor range = highlight.start;
        range.setPosition(highlight.end.position(), QTextCursor::KeepAnchor);
        selections.append({range, highlight.format});
    }
    m_view->setExtraSelections(selections);
}

bool PlainEditControl::overwriteMode() const
{
    return m_view->overwriteMode();
}

void PlainEditControl::setOverwriteMode(bool on)
{
    if (m_view->overwriteMode() == on)
        return;
    m_view->setOverwriteMode(on);
    emit overwriteModeChanged(on);
}

bool PlainEditControl::wordWrap() const
{
    return m_view->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void PlainEditControl::setWordWrap(bool on)
{
    m_view->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

QFont PlainEditControl::textFont() const
{
    return m_view->font();
}

void PlainEditControl::setTextFont(const QFont &font)
{
    m_view->setFont(font);
    m_document->setDefaultFont(font);
}

int PlainEditControl::print(QPagedPaintDevice *device) const
{
    PagedTextPrinter printer(*m_document, m_view->font(), m_view->logicalDpiY());
    // Text in the system's colour prints black: a dark desktop theme must not print white.
    const int color = static_cast<const FontProperties *>(fontProperties())->color();
    printer.setTextColor(color < 0 ? QColor(Qt::black) : FontProperties::fromColorReference(color));
    printer.setTabStopDistance(m_view->tabStopDistance());
    QList<PagedTextPrinter::Highlight> highlights;
    for (const Highlight &highlight : m_highlights) {
        const qsizetype start = highlight.start.position();
        highlights.append({start, highlight.end.position() - start, highlight.format});
    }
    printer.setHighlights(std::move(highlights));
    return printer.print(device) ? printer.pageCount() : 0;
}
