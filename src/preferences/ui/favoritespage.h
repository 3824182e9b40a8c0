#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QFileDialog;
class QMessageBox;
class TFnpListBox;
class TSpeedBar;

// The "Favorite Files" page of the Preferences dialog: a sorted copy of the favourite files
// that Browse adds to and Delete takes from; Close writes it back.
class FavoritesPage : public QWidget
{
    Q_OBJECT

public:
    // Tests answer the file dialog and the message boxes without showing them.
    using FileDialogRunner = std::function<QString(QFileDialog &)>;
    using MessageRunner = std::function<int(QMessageBox &)>;

    static const QString BrowseFilter;

    explicit FavoritesPage(QWidget *parent);

    void setFileDialogRunner(FileDialogRunner runner) { m_runFileDialog = std::move(runner); }
    void setMessageRunner(MessageRunner runner) { m_runMessage = std::move(runner); }

    // Filling on show: the favourites that are not empty, as sorted rows.
    void fill(const QStringList &favorites);
    QStringList rows() const;
    // What Close stores as the favourite files.
    QStringList favorites() const;

    TFnpListBox *lstFavFiles() const { return m_list; }
    TSpeedBar *toolBar() const { return m_bar; }
    QAction *btnDelFiles() const { return m_delete; }
    QAction *btnBrowse() const { return m_browse; }

public slots:
    void lstFavFilesClick();
    void btnBrowseClick();
    void btnDelFilesClick();

private:
    void buildToolBar();
    QString chooseFile();
    int message(const QString &text, bool question);

    TFnpListBox *m_list;
    TSpeedBar *m_bar = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_browse = nullptr;
    FileDialogRunner m_runFileDialog;
    MessageRunner m_runMessage;
};
