#pragma once

#include "settings/inilinkhost.h"
#include "settings/settingsbaseline.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QRect>

class QWidget;
class SettingsStore;

// Saves and restores a form's window placement (position, size, state) in a section of the
// settings store: restored when the form is shown, saved when the form has accepted its close
// (the form calls formClosed() from its closeEvent) or, failing that, when it is destroyed (the
// form calls formDestroying() from its destructor). A restored
// window is kept on the screens there are now; a save writes only what has changed since.
class TFormPlacement : public QObject, public IniLinkHost
{
    Q_OBJECT

public:
    enum Option { fpState = 0x1, fpPosition = 0x2, fpActiveControl = 0x4 };
    Q_DECLARE_FLAGS(Options, Option)

    TFormPlacement(QWidget *form, SettingsStore *store);
    ~TFormPlacement() override;

    QString IniFileName = QStringLiteral("\\Software\\Orvanel\\Leafstack");
    QString IniSection; // empty: the form's class name
    Options options = Options(fpState) | fpPosition;
    bool Active = true;

    void SaveSettings();
    void RestoreSettings();
    // The form's closeEvent calls this once it has accepted the close: saves, and restores
    // again when the form is next shown.
    void formClosed();
    // The form's destructor calls this: saves unless a close already did.
    void formDestroying();

    QWidget *form() const { return m_form; }
    const QObject *linkedForm() const override;
    SettingsStore *store() const { return m_store; }
    QString rootKey() const;
    QString sectionKey() const;
    bool saved() const { return m_saved; }
    bool restored() const { return m_restored; }

Q_SIGNALS:
    // A restore has put the stored values in place.
    void restoredSettings();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    virtual void saveProperties() { }
    virtual void loadProperties() { }
    // What this form has loaded or last written, value by value.
    SettingsBaseline &baseline() { return m_baseline; }

private:
    SettingsBaseline::Values placementValues() const;
    void savePlacement();
    void restorePlacement(bool loadPosition, bool loadState);
    void restorePosition(QWidget *window);
    bool restoreState(QWidget *window);
    void notePlacement();
    QString appliedText(const QString &name);
    void reportProblems();
    void runAutomatically(void (TFormPlacement::*operation)());
    bool isMainFrame() const;
    QRect normalRect() const;

    QWidget *m_form;
    SettingsStore *m_store;
    SettingsBaseline m_baseline;
    QHash<QString, QString> m_applied; // stored placement texts the restore has applied
    QRect m_lastNormal;
    bool m_saved = false;
    bool m_restored = false;
    bool m_destroying = false;
    bool m_awaitingRestore = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFormPlacement::Options)
