#include "workspacestatusbar.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/statustexts.h"
#include "workspace/workspacefile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>

#include <algorithm>

namespace {

// The path panel: as wide as the path's width rule asks while the window has room, narrower
// when it has not, then showing the path elided (the whole path is its tool-tip).
class PathPanel : public QLabel
{
public:
    using QLabel::QLabel;

    void setPath(const QString &path, int width)
    {
        m_path = path;
        m_width = width;
        setMinimumWidth(std::min(width, kNarrowest));
        setMaximumWidth(width);
        setToolTip(path);
        updateGeometry();
        showFitting();
    }
    QString path() const { return m_path; }
    QSize sizeHint() const override { return QSize(m_width, QLabel::sizeHint().height()); }
    QSize minimumSizeHint() const override
    {
        return QSize(minimumWidth(), QLabel::minimumSizeHint().height());
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        showFitting();
    }

private:
    static constexpr int kNarrowest = 40;

    void showFitting()
    {
        const int room = contentsRect().width() - 2 * margin() - 4;
        setText(fontMetrics().horizontalAdvance(m_path) <= room
                        ? m_path
                        : fontMetrics().elidedText(m_path, Qt::ElideMiddle, std::max(room, 0)));
    }

    QString m_path;
    int m_width = 300;
};

struct PanelLayout
{
    const char *name;
    const char *text;
    int width;
    Qt::Alignment alignment;
};

constexpr PanelLayout kPanels[] = {
        {"pnlCaret", "Text Edit", 58, Qt::AlignHCenter},
        {"pnlModified", "Modified", 57, Qt::AlignLeft},
        {"pnlFilePath", "pnlFilePath", 300, Qt::AlignLeft},
        {"pnlNumBytes", "pnlNumBytes", 60, Qt::AlignLeft},
        {"pnlInsert", "INS", 40, Qt::AlignHCenter},
        {"pnlNumLock", "NUM", 40, Qt::AlignLeft},
        {"pnlCapsLock", "CAP", 40, Qt::AlignLeft},
        {"pnlSpare", "", 50, Qt::AlignLeft},
        {"pnlEncoding", "UTF-8, LF", 130, Qt::AlignLeft},
};
} // namespace

WorkspaceStatusBar::WorkspaceStatusBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("barEdit"));
    QFont barFont(QStringLiteral("Arial Narrow"));
    barFont.setPixelSize(13);
    setFont(barFont);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 1);
    layout->setSpacing(2);
    // However long the path, the bar never makes the Workspace wider than its window: panels
    // that do not fit are cut off at the edge.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (int i = 0; i < PanelCount; ++i) {
        const QString text = QString::fromLatin1(kPanels[i].text);
        auto *label = i == Path ? new PathPanel(text, this) : new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(kPanels[i].name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(kPanels[i].alignment | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        m_panels[i] = label;
        layout->addWidget(label);
        if (i == Path)
            static_cast<PathPanel *>(label)->setPath(text, kPanels[i].width);
        else
            label->setFixedWidth(kPanels[i].width);
    }
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pgbLoading"));
    m_progress->setRange(0, 100);
    m_progress->setFixedWidth(160);
    m_progress->setFormat(tr("Loading %p%"));
    m_progress->hide();
    layout->addWidget(m_progress);
    layout->addStretch(1);
}

void WorkspaceStatusBar::setProgress(int percent)
{
    m_progress->setVisible(percent >= 0);
    if (percent >= 0)
        m_progress->setValue(percent);
}

int WorkspaceStatusBar::progress() const
{
    return m_progress->isVisibleTo(this) ? m_progress->value() : -1;
}

QString WorkspaceStatusBar::text(Panel panel) const
{
    if (panel == Path)
        return static_cast<const PathPanel *>(m_panels[Path])->path();
    return m_panels[panel]->text();
}

QString WorkspaceStatusBar::shownText(Panel panel) const
{
    return m_panels[panel]->text();
}

QLabel *WorkspaceStatusBar::panel(Panel panel) const
{
    return m_panels[panel];
}

void WorkspaceStatusBar::setText(Panel panel, const QString &text)
{
    if (panel == Path) {
        setPath(text);
        return;
    }
    // Every keystroke lands here; an unchanged text must not cost a relayout.
    if (m_panels[panel]->text() != text)
        m_panels[panel]->setText(text);
}

int WorkspaceStatusBar::panelWidth(Panel panel) const
{
    return m_panels[panel]->maximumWidth();
}

void WorkspaceStatusBar::setPanelWidth(Panel panel, int width)
{
    if (panel == Path) {
        auto *path = static_cast<PathPanel *>(m_panels[Path]);
        path->setPath(path->path(), width);
        return;
    }
    m_panels[panel]->setFixedWidth(width);
}

int WorkspaceStatusBar::pathPanelWidth(const QString &text)
{
    return text.size() > 45 ? int(text.size()) * 7 : 300;
}

void WorkspaceStatusBar::setPath(const QString &text)
{
    static_cast<PathPanel *>(m_panels[Path])->setPath(text, pathPanelWidth(text));
}

void WorkspaceStatusBar::follow(TextDocument *document, TextView *view, WorkspaceFile *file)
{
    m_document = document;
    m_view = view;
    connect(file, &WorkspaceFile::nameChanged, this, [this, file]() { setPath(file->pathText()); });
    connect(view, &TextView::selectionChanged, this, &WorkspaceStatusBar::showCaret);
    connect(document, &TextDocument::byteSizeChanged, this, &WorkspaceStatusBar::showSize);
    connect(document, &TextDocument::modificationChanged, this,
            [this](bool modified) { setText(Modified, StatusTexts::modified(modified)); });
    connect(view, &TextView::overwriteModeChanged, this, [this](bool on) {
        setText(Insert, on ? QStringLiteral("OVR") : QStringLiteral("INS"));
    });
    connect(document, &TextDocument::formatChanged, this, &WorkspaceStatusBar::showEncoding);
    // A break of another kind typed or deleted makes the line ends mixed, or no longer.
    connect(document, &TextDocument::contentsChanged, this, [this](const TextChange &change) {
        if (change.linesAdded != 0 || change.linesRemoved != 0)
            showEncoding();
    });
    connect(document, &TextDocument::documentReset, this, [this]() {
        showCaret();
        showSize();
        showEncoding();
        setText(Modified, StatusTexts::modified(m_document->isModified()));
    });
    showSize();
    setText(Modified, StatusTexts::modified(document->isModified()));
}

void WorkspaceStatusBar::showCaret()
{
    const qsizetype start = m_view->selectionStart();
    const qsizetype line = m_document->lineOfOffset(start);
    setText(Caret, StatusTexts::caret(line + 1, start - m_document->lineStart(line) + 1));
}

void WorkspaceStatusBar::showEncoding()
{
    setText(Encoding, StatusTexts::encoding(m_document->format(), m_document->mixedLineEnds()));
}

void WorkspaceStatusBar::showSize()
{
    setText(Size, StatusTexts::size(m_document->byteSize()));
}

void WorkspaceStatusBar::fitSizePanel()
{
    setPanelWidth(Size, int(StatusTexts::size(m_document->byteSize()).size()) * 7);
}
