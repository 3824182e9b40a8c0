#pragma once

#include <QDialog>

class FileProperties;
class QAction;
class QCheckBox;
class QGridLayout;
class QLabel;
class QTabWidget;
class QWidget;
class TSpeedBar;

// The Properties dialog of a Workspace's file: name, type, location, size, three time stamps
// and four attribute boxes on one page "General", closed through its tool bar's OK. It only
// shows; the boxes cannot be changed.
class TfrmProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmProperties(QWidget *parent = nullptr);

    void fill(const FileProperties &properties);
    void btnOKClick();

    QLabel *imgProperties = nullptr;
    QLabel *lblFileName = nullptr;
    QLabel *lblType = nullptr;
    QLabel *lblLocation = nullptr;
    QLabel *lblSize = nullptr;
    QLabel *lblCreated = nullptr;
    QLabel *lblModified = nullptr;
    QLabel *lblAccessed = nullptr;
    QCheckBox *chkReadOnly = nullptr;
    QCheckBox *chkSystem = nullptr;
    QCheckBox *chkHidden = nullptr;
    QCheckBox *chkArchive = nullptr;
    QAction *btnOK = nullptr;
    QTabWidget *pages = nullptr;
    TSpeedBar *barProperties = nullptr;

private:
    QWidget *buildGeneralPage();
    QLabel *addRow(QGridLayout *grid, const QString &caption, const char *name);
    static void addRule(QGridLayout *grid);
    void addAttributeBoxes(QGridLayout *grid);
    QCheckBox *makeCheckBox(const QString &text, const char *name);
    void buildToolBar();
};
