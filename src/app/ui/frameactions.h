#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

// Every command of the frame as one QAction with its caption, shortcut and hint, and the
// frame's four menus and the tray menu built from them. The members carry the names the
// commands are known by throughout the program (mniNew, mniTile, puiExit...).
class FrameActions : public QObject
{
    Q_OBJECT

public:
    explicit FrameActions(QWidget *frame);

    // File
    QAction *mniNew = nullptr;
    QAction *mniOpen = nullptr;
    QMenu *mniReopen = nullptr;
    QMenu *mniFavFiles = nullptr;
    QAction *mniCustomize = nullptr;
    QAction *mniPrinterSetup = nullptr;
    QAction *mniExit = nullptr;
    // Window
    QAction *mniTile = nullptr;
    QAction *mniCascade = nullptr;
    QAction *mniArrange = nullptr;
    // Options
    QAction *mniSetDefault = nullptr;
    QAction *mniButtonHints = nullptr;
    QAction *mniAutomaticBackups = nullptr;
    QAction *mniMainStatusBar = nullptr;
    QAction *mniStayOnTop = nullptr;
    QAction *mniPreferences = nullptr;
    // Help
    QAction *mniContents = nullptr;
    QAction *mniSearchForHelpOn = nullptr;
    QAction *mniHowtoUseHelp = nullptr;
    QAction *mniWhatsNew = nullptr;
    QAction *mniAbout = nullptr;
    // Tray menu: its own captions; each forwards to the frame command of the same meaning.
    QAction *puiLeafstack = nullptr;
    QAction *puiAbout = nullptr;
    QAction *puiExit = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuWindow = nullptr;
    QMenu *mnuOptions = nullptr;
    QMenu *mnuHelp = nullptr;
    QMenu *pumTray = nullptr;

    // The frame's own menus in bar order: File, Window, Options, Help.
    QList<QMenu *> frameMenus() const;

private:
    QAction *make(const char *name, const QString &caption, const QString &hint,
                  const QKeySequence &shortcut = {});
    QAction *makeCheck(const char *name, const QString &caption, bool checked);
    QMenu *makeMenu(const char *name, const QString &caption, const QString &hint);
    void buildFileMenu();
    void buildWindowMenu();
    void buildOptionsMenu();
    void buildHelpMenu();
    void buildTrayMenu();

    QWidget *m_frame;
};
