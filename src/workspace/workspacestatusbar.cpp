#include "workspacestatusbar.h"

#include "controls/textdocument.h"
#include "controls/textview.h"
#include "workspace/statustexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace {
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
    for (int i = 0; i < PanelCount; ++i) {
        auto *label = new QLabel(QString::fromLatin1(kPanels[i].text), this);
        label->setObjectName(QString::fromLatin1(kPanels[i].name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(kPanels[i].alignment | Qt::AlignVCenter);
        label->setFixedWidth(kPanels[i].width);
        label->setTextFormat(Qt::PlainText);
        m_panels[i] = label;
        layout->addWidget(label);
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
    return m_panels[panel]->text();
}

void WorkspaceStatusBar::setText(Panel panel, const QString &text)
{
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
    m_panels[panel]->setFixedWidth(width);
}

int WorkspaceStatusBar::pathPanelWidth(const QString &text)
{
    return text.size() > 45 ? int(text.size()) * 7 : 300;
}

void WorkspaceStatusBar::setPath(const QString &text)
{
    setPanelWidth(Path, pathPanelWidth(text));
    setText(Path, text);
    m_panels[Path]->setToolTip(text);
}

void WorkspaceStatusBar::follow(TextDocument *document, TextView *view)
{
    m_document = document;
    m_view = view;
    connect(view, &TextView::selectionChanged, this, &WorkspaceStatusBar::showCaret);
    connect(document, &TextDocument::byteSizeChanged, this, &WorkspaceStatusBar::showSize);
    connect(document, &TextDocument::modificationChanged, this,
            [this](bool modified) { setText(Modified, StatusTexts::modified(modified)); });
    connect(view, &TextView::overwriteModeChanged, this, [this](bool on) {
        setText(Insert, on ? QStringLiteral("OVR") : QStringLiteral("INS"));
    });
    connect(document, &TextDocument::documentReset, this, [this]() {
        showCaret();
        showSize();
        setText(Modified, StatusTexts::modified(m_document->isModified()));
    });
}

void WorkspaceStatusBar::showCaret()
{
    const qsizetype start = m_view->selectionStart();
    const qsizetype line = m_document->lineOfOffset(start);
    setText(Caret, StatusTexts::caret(line + 1, start - m_document->lineStart(line) + 1));
}

void WorkspaceStatusBar::showSize()
{
    setText(Size, StatusTexts::size(m_document->byteSize()));
}
