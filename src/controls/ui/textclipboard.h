#pragma once

#include <QClipboard>
#include <QString>

#include <optional>

class QMimeData;
class TextDocument;
struct TextSelection;

// The clipboard and the X11 primary selection as a text view uses them. What the platform
// hands back is never trusted: no clipboard, no owner, no data or no text all read as nothing.
class TextClipboard
{
public:
    // The plain text offered in mode, or an empty string.
    static QString text(QClipboard::Mode mode = QClipboard::Clipboard);
    static bool hasText(QClipboard::Mode mode = QClipboard::Clipboard);
    static void setText(const QString &text, QClipboard::Mode mode = QClipboard::Clipboard);
    // Hands data over to the clipboard, which then owns it.
    static void setMimeData(QMimeData *data, QClipboard::Mode mode);

    // Makes selection of document the primary selection, where there is one; an empty
    // selection leaves the last one.
    static void offerSelection(const TextDocument *document, const TextSelection &selection);
    // The mode that holds the primary selection: Selection where the platform has one.
    static std::optional<QClipboard::Mode> selectionMode();
    // Puts the primary selection in another mode (or turns it off), e.g. for tests on a
    // platform without one; nothing restores the platform's choice.
    static void overrideSelectionMode(std::optional<QClipboard::Mode> mode);
};
