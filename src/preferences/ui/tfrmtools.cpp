#include "tfrmtools.h"

#include "base/filelists.h"
#include "base/opendialogsettings.h"
#include "datetimepage.h"
#include "favoritespage.h"
#include "filterpage.h"
#include "format/systemclock.h"
#include "settings/ui/tformplacement.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmTools::TfrmTools(const PreferencesValues &values, QWidget *parent)
    : TfrmTools(values, SystemClock::instance(), parent)
{ }

TfrmTools::TfrmTools(const PreferencesValues &values, const Clock &clock, QWidget *parent)
    : QDialog(parent)
    , m_values(values)
    , m_pages(new QTabWidget(this))
    , m_filters(new FilterPage(*values.lblFilter, m_pages))
    , m_dates(new DateTimePage(*values.lblDate, *values.lblTime, clock, m_pages))
    , m_favorites(new FavoritesPage(m_pages))
{
    setObjectName(QStringLiteral("frmTools"));
    setWindowTitle(QStringLiteral("Preferences..."));
    m_pages->setObjectName(QStringLiteral("pgcTools"));
    m_pages->addTab(m_filters, QStringLiteral("Open/Save Filters"));
    m_pages->addTab(m_dates, QStringLiteral("Date && Time"));
    m_pages->addTab(m_favorites, QStringLiteral("Favorite Files"));
    m_pages->setCurrentIndex(0);
    buildToolBar();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_pages, 1);
    resize(560, 420);

    if (values.store) {
        m_placement = new TFormPlacement(this, values.store);
        m_placement->IniSection = QStringLiteral("Preferences");
    }
}

TfrmTools::~TfrmTools()
{
    // Closing by Close or Cancel hides the dialog without a close event: save here.
    if (m_placement)
        m_placement->formDestroying();
}

void TfrmTools::buildToolBar()
{
    m_bar = new TSpeedBar(this);
    m_bar->setObjectName(QStringLiteral("barTools"));
    TSpeedbarSection *file = m_bar->AddSection(QStringLiteral("File"));
    const struct
    {
        const char *name;
        const char *caption;
        const char *hint;
        void (TfrmTools::*slot)();
    } buttons[] = {{"btnClose", "Close", "Close Preferences", &TfrmTools::btnCloseClick},
                   {"btnCancel", "Cancel", "Cancel Preferences", &TfrmTools::btnCancelClick}};
    for (const auto &button : buttons) {
        auto *action = new QAction(QString::fromLatin1(button.hint), this);
        action->setObjectName(QString::fromLatin1(button.name));
        connect(action, &QAction::triggered, this, button.slot);
        // Alt+C keeps the changes; Escape is Cancel, as in every dialog.
        if (button.slot == &TfrmTools::btnCloseClick) {
            action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
            addAction(action);
        }
        TSpeedItem *item = m_bar->AddItem(file, action->objectName(), action,
                                          QString::fromLatin1(button.caption), action->text());
        item->setHint(action->text() + u'|');
        item->setGlyph(button.slot == &TfrmTools::btnCloseClick
                               ? SpeedbarGlyphs::icon(QStringLiteral("Close"))
                               : style()->standardIcon(QStyle::SP_DialogCancelButton));
    }
}

void TfrmTools::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_filled)
        FormShow();
}

void TfrmTools::FormShow()
{
    m_filled = true;
    m_favorites->btnDelFiles()->setEnabled(false);
    m_dates->FillFormatLists();
    m_filters->FillFilterList(m_values.dlgOpenFile->filter());
    m_favorites->fill(m_values.fileLists->favoriteFiles());
}

void TfrmTools::btnCloseClick()
{
    m_values.dlgOpenFile->setFilter(m_filters->filterString());
    m_dates->commit();
    m_values.fileLists->setFavoriteFiles(m_favorites->favorites());
    accept();
}

void TfrmTools::btnCancelClick()
{
    reject();
}
