#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;
class TextDocument;
class TextView;
class WorkspaceFile;

// A Workspace's status bar: nine sunken panels of fixed width (caret, modified, path, size,
// insert mode, Num Lock, Caps Lock, spare, encoding). It asks for no width of its own: what does
// not fit in the window is cut at its edge, the path panel first.
class WorkspaceStatusBar : public QWidget
{
    Q_OBJECT

public:
    enum Panel {
        Caret,
        Modified,
        Path,
        Size,
        Insert,
        NumLock,
        CapsLock,
        Spare,
        Encoding, // the file's encoding and line ends, after the eight
        PanelCount
    };

    explicit WorkspaceStatusBar(QWidget *parent = nullptr);

    // Keeps the caret, modified, path, size, insert and encoding panels up to date with the
    // document, the view and the file.
    void follow(TextDocument *document, TextView *view, WorkspaceFile *file);
    void showCaret();
    void showSize();
    void showEncoding();
    // Set once per file taken in: 7 pixels a character of its size.
    void fitSizePanel();

    // The panel's whole text; shownText() is what fits, the path elided where it is cut.
    QString text(Panel panel) const;
    QString shownText(Panel panel) const;
    void setText(Panel panel, const QString &text);
    QLabel *panel(Panel panel) const;
    int panelWidth(Panel panel) const;
    void setPanelWidth(Panel panel, int width);

    // The path panel is 300 pixels wide, or 7 per character for texts longer than 45; where the
    // window is narrower it ends at the window's edge.
    void setPath(const QString &text);
    static int pathPanelWidth(const QString &text);

    // Shows how much of a file has gone in; a negative value hides the progress.
    void setProgress(int percent);
    int progress() const;

private:
    TextDocument *m_document = nullptr;
    TextView *m_view = nullptr;
    std::array<QLabel *, PanelCount> m_panels{};
    QProgressBar *m_progress = nullptr;
};
