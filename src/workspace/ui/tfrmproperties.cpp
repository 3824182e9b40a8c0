#include "tfrmproperties.h"

#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"
#include "workspace/fileproperties.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// A box that shows an attribute: clicks and keys leave it as it is, since nothing changes the
// file from here.
class DisplayCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &) const override { return false; }
};
} // namespace

TfrmProperties::TfrmProperties(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmProperties"));
    setModal(true);
    resize(367, 432);
    auto *layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pgcProperties"));
    pages->addTab(buildGeneralPage(), tr("General"));
    layout->addWidget(pages, 1);
    btnOK = new QAction(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    // Return and Escape close the dialog as the bar's button does.
    btnOK->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    addAction(btnOK);
    connect(btnOK, &QAction::triggered, this, &TfrmProperties::btnOKClick);
    buildToolBar();
    layout->addWidget(barProperties);
}

QWidget *TfrmProperties::buildGeneralPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabGeneral"));
    auto *grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    imgProperties = new QLabel(page);
    imgProperties->setObjectName(QStringLiteral("imgProperties"));
    imgProperties->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    imgProperties->setFixedSize(32, 32);
    lblFileName = new QLabel(page);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    lblFileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFileName->setTextFormat(Qt::PlainText);
    grid->addWidget(imgProperties, 0, 0);
    grid->addWidget(lblFileName, 0, 1);
    addRule(grid);
    lblType = addRow(grid, tr("Type:"), "lblType");
    lblLocation = addRow(grid, tr("Location:"), "lblLocation");
    lblSize = addRow(grid, tr("Size:"), "lblSize");
    addRule(grid);
    lblCreated = addRow(grid, tr("Created:"), "lblCreated");
    lblModified = addRow(grid, tr("Modified:"), "lblModified");
    lblAccessed = addRow(grid, tr("Accessed:"), "lblAccessed");
    addRule(grid);
    addAttributeBoxes(grid);
    return page;
}

void TfrmProperties::addAttributeBoxes(QGridLayout *grid)
{
    chkReadOnly = makeCheckBox(tr("ReadOnly"), "chkReadOnly");
    chkSystem = makeCheckBox(tr("System"), "chkSystem");
    chkHidden = makeCheckBox(tr("Hidden"), "chkHidden");
    chkArchive = makeCheckBox(tr("Archive"), "chkArchive");
    const int row = grid->rowCount();
    grid->addWidget(chkReadOnly, row, 0);
    grid->addWidget(chkSystem, row, 1);
    grid->addWidget(chkHidden, row + 1, 0);
    grid->addWidget(chkArchive, row + 1, 1);
    grid->setRowStretch(row + 2, 1);
}

QLabel *TfrmProperties::addRow(QGridLayout *grid, const QString &caption, const char *name)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    auto *value = new QLabel;
    value->setObjectName(QString::fromLatin1(name));
    // Long paths are read, and copied, rather than cut off.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    value->setTextFormat(Qt::PlainText);
    grid->addWidget(value, row, 1);
    return value;
}

void TfrmProperties::addRule(QGridLayout *grid)
{
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, grid->rowCount(), 0, 1, 2);
}

QCheckBox *TfrmProperties::makeCheckBox(const QString &text, const char *name)
{
    auto *box = new DisplayCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void TfrmProperties::buildToolBar()
{
    auto *bar = new TSpeedBar(this);
    bar->setObjectName(QStringLiteral("barProperties"));
    TSpeedbarSection *file = bar->AddSection(tr("File Menu"));
    TSpeedItem *item =
            bar->AddItem(file, btnOK->objectName(), btnOK, btnOK->text(), tr("Close Properties"));
    item->setHint(tr("Close Properties|"));
    item->setGlyph(SpeedbarGlyphs::icon(QStringLiteral("Close")));
    barProperties = bar;
}

void TfrmProperties::fill(const FileProperties &properties)
{
    setWindowTitle(properties.caption);
    lblFileName->setText(properties.fileName);
    lblType->setText(properties.type);
    lblLocation->setText(properties.location);
    lblSize->setText(properties.size);
    lblCreated->setText(properties.created);
    lblModified->setText(properties.modified);
    lblAccessed->setText(properties.accessed);
    chkReadOnly->setChecked(properties.readOnly);
    chkSystem->setChecked(properties.system);
    chkHidden->setChecked(properties.hidden);
    chkArchive->setChecked(properties.archive);
}

void TfrmProperties::btnOKClick()
{
    accept();
}
