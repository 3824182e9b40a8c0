#include "helpwindow.h"

#include "base/apperror.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

const QString HelpWindow::ContentsAnchor = QStringLiteral("contents");
const QString HelpWindow::HowToUseAnchor = QStringLiteral("using-help");

namespace {
constexpr int AnchorRole = Qt::UserRole;
constexpr int BodyRole = Qt::UserRole + 1;

QString firstAnchorOf(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty())
            return names.first();
    }
    return {};
}
} // namespace

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_helpFile(helpFile)
    , m_pages(new QStackedWidget(this))
    , m_browser(new QTextBrowser(this))
    , m_search(new QLineEdit(this))
    , m_index(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Leafstack Help"));
    m_browser->setOpenExternalLinks(true);

    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto *index = new QPushButton(QStringLiteral("&Index"), this);
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(index);
    buttons->addWidget(back);
    buttons->addStretch();

    auto *indexPage = new QWidget(this);
    auto *indexLayout = new QVBoxLayout(indexPage);
    auto *prompt = new QLabel(
            QStringLiteral("&Type the first letters of the word you're looking for:"), indexPage);
    prompt->setBuddy(m_search);
    indexLayout->addWidget(prompt);
    indexLayout->addWidget(m_search);
    indexLayout->addWidget(m_index);
    m_pages->addWidget(indexPage);
    m_pages->addWidget(m_browser);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pages);
    resize(560, 600);

    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(index, &QPushButton::clicked, this, &HelpWindow::showIndex);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::openFirstMatch);
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::openTopic);
}

void HelpWindow::ensureLoaded()
{
    if (m_loaded)
        return;
    const QFileInfo info(m_helpFile);
    if (!info.isFile() || !info.isReadable())
        throw AppError(QStringLiteral("Cannot open the help file %1").arg(m_helpFile));
    m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    buildIndex();
    m_loaded = true;
}

void HelpWindow::buildIndex()
{
    m_index->clear();
    const QTextDocument *document = m_browser->document();
    QListWidgetItem *topic = nullptr;
    QString body;
    const auto finishTopic = [&] {
        if (topic)
            topic->setData(BodyRole, body);
        body.clear();
    };
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString anchor = firstAnchorOf(block);
        const QString title = block.text().trimmed();
        if (block.blockFormat().headingLevel() == 0 || anchor.isEmpty() || title.isEmpty()) {
            body += block.text() + QLatin1Char('\n');
            continue;
        }
        finishTopic();
        topic = new QListWidgetItem(title, m_index);
        topic->setData(AnchorRole, anchor);
    }
    finishTopic();
    m_index->sortItems();
}

QStringList HelpWindow::topics() const
{
    QStringList result;
    for (int i = 0; i < m_index->count(); ++i)
        result.append(m_index->item(i)->text());
    return result;
}

QStringList HelpWindow::visibleTopics() const
{
    QStringList result;
    for (int i = 0; i < m_index->count(); ++i) {
        if (!m_index->item(i)->isHidden())
            result.append(m_index->item(i)->text());
    }
    return result;
}

bool HelpWindow::isIndexShown() const
{
    return m_pages->currentWidget() != m_browser;
}

void HelpWindow::filterIndex(const QString &text)
{
    // A topic shows when its title or its text holds the words; a title match is preferred.
    const QString wanted = text.trimmed();
    QListWidgetItem *byTitle = nullptr;
    QListWidgetItem *byText = nullptr;
    for (int i = 0; i < m_index->count(); ++i) {
        QListWidgetItem *item = m_index->item(i);
        const bool inTitle = item->text().contains(wanted, Qt::CaseInsensitive);
        const bool inText = item->data(BodyRole).toString().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!inTitle && !inText);
        if (inTitle && !byTitle)
            byTitle = item;
        if (inText && !byText)
            byText = item;
    }
    m_index->setCurrentItem(byTitle ? byTitle : byText);
}

void HelpWindow::openFirstMatch()
{
    if (QListWidgetItem *item = m_index->currentItem(); item && !item->isHidden())
        openTopic(item);
}

void HelpWindow::openTopic(QListWidgetItem *item)
{
    if (item)
        showAnchor(item->data(AnchorRole).toString());
}

void HelpWindow::showAnchor(const QString &anchor)
{
    m_anchor = anchor;
    m_pages->setCurrentWidget(m_browser);
    m_browser->scrollToAnchor(anchor);
}

void HelpWindow::bringUp()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    ensureLoaded();
    bringUp();
    showAnchor(ContentsAnchor);
}

void HelpWindow::showIndex()
{
    ensureLoaded();
    m_pages->setCurrentIndex(0);
    m_search->clear();
    filterIndex(QString());
    bringUp();
    m_search->setFocus();
}

void HelpWindow::showHowToUse()
{
    ensureLoaded();
    bringUp();
    showAnchor(HowToUseAnchor);
}
