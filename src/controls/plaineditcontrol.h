#pragma once

#include "editcontrol.h"

#include <QTextCursor>
#include <QTextEdit>

#include <vector>

class DocumentLoader;
class PlainTextView;
class QTextDocument;

// The edit control on a QPlainTextEdit: lays out only what is shown, so large files load and
// take keystrokes quickly.
class PlainEditControl : public EditControl
{
    Q_OBJECT

public:
    explicit PlainEditControl(QWidget *parent = nullptr);
    ~PlainEditControl() override;

    // Texts longer than this (in characters) load on a worker thread.
    void setAsyncThreshold(qsizetype characters) { m_asyncThreshold = characters; }

    void loadPlainText(QString text) override;
    bool loading() const override;
    QString plainText() const override;
    qsizetype textLength() const override;

    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    QString selectedText() const override;
    void setSelection(qsizetype start, qsizetype length) override;
    void selectAll() override;
    void replaceSelection(const QString &text) override;
    void replaceRanges(const QList<qsizetype> &starts, qsizetype length,
                       const QString &text) override;
    void cut() override;
    void copy() override;
    void paste() override;
    void deleteSelection() override;
    bool canPaste() const override;
    void mapCharacters(qsizetype start, qsizetype length, char16_t (*map)(char16_t)) override;

    bool isModified() const override;
    void setModified(bool modified) override;

    qsizetype lineOfOffset(qsizetype offset) const override;
    qsizetype lineStart(qsizetype line) const override;

    Alignment paragraphAlignment(qsizetype offset) const override;
    void setParagraphAlignment(qsizetype start, qsizetype length, Alignment alignment) override;

    void setHighlight(qsizetype start, qsizetype length, const QColor &foreground,
                      const QColor &background) override;
    void clearHighlight() override;

    bool overwriteMode() const override;
    void setOverwriteMode(bool on) override;
    bool wordWrap() const override;
    void setWordWrap(bool on) override;
    QFont textFont() const override;
    void setTextFont(const QFont &font) override;

    int print(QPagedPaintDevice *device) const override;

private:
    struct Highlight
    {
        QTextCursor start;
        QTextCursor end;
        QTextCharFormat format;
    };

    void adoptDocument(QTextDocument *document);
    void refreshHighlights();
    QTextCursor cursorAt(qsizetype offset) const;

    PlainTextView *m_view = nullptr;
    DocumentLoader *m_loader = nullptr;
    QTextDocument *m_document = nullptr;
    std::vector<Highlight> m_highlights;
    qsizetype m_asyncThreshold = 4 << 20;
};
