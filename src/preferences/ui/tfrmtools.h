#pragma once

#include <QDialog>

class Clock;
class DateTimePage;
class FavoritesPage;
class FileLists;
class FilterPage;
class OpenDialogSettings;
class QAction;
class QTabWidget;
class SettingsStore;
class TFormPlacement;
class TSpeedBar;
class ValueLabel;

// The frame's values the Preferences dialog reads and edits.
struct PreferencesValues
{
    OpenDialogSettings *dlgOpenFile = nullptr; // its filter string
    ValueLabel *lblFilter = nullptr;           // the default filter's number
    ValueLabel *lblDate = nullptr;             // the chosen date format's row
    ValueLabel *lblTime = nullptr;             // the chosen time format's row
    FileLists *fileLists = nullptr;            // the favourite files
    SettingsStore *store = nullptr;            // keeps the dialog's placement; none keeps nothing
};

// The Preferences dialog: the Open/Save filters, the date and time stamp formats and the
// favourite files. Close commits the filters, the favourites and the time choice; Cancel and
// the close box commit none of them (choices that take effect at once stay).
class TfrmTools : public QDialog
{
    Q_OBJECT

public:
    TfrmTools(const PreferencesValues &values, const Clock &clock, QWidget *parent = nullptr);
    explicit TfrmTools(const PreferencesValues &values, QWidget *parent = nullptr);
    ~TfrmTools() override;

    QTabWidget *pages() const { return m_pages; }
    FilterPage *filterPage() const { return m_filters; }
    DateTimePage *datePage() const { return m_dates; }
    FavoritesPage *favoritesPage() const { return m_favorites; }
    TSpeedBar *toolBar() const { return m_bar; }

    // Fills the pages from the frame's values; runs when the dialog is shown.
    void FormShow();

public slots:
    void btnCloseClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildToolBar();

    PreferencesValues m_values;
    QTabWidget *m_pages;
    FilterPage *m_filters;
    DateTimePage *m_dates;
    FavoritesPage *m_favorites;
    TSpeedBar *m_bar = nullptr;
    TFormPlacement *m_placement = nullptr;
    bool m_filled = false;
};
