#pragma once

#include <QObject>
#include <QString>

class OpenDialogSettings;
class ValueLabel;

// The values every Workspace reads from the frame when it needs them: the "Automatic Backups"
// option, the Open/Save filter string and default filter index, the folder the Open and Save As
// dialogs start in, and the chosen date and time stamp rows. The indices stay the decimal text
// the frame stores; each reader converts it strictly where it uses it.
class SharedOptions : public QObject
{
    Q_OBJECT

public:
    explicit SharedOptions(QObject *parent = nullptr);

    bool automaticBackups() const { return m_backups; }
    QString filterString() const { return m_filter; }
    QString filterIndexText() const { return m_filterIndex; }
    QString openDirectory() const { return m_openDirectory; }
    QString dateIndexText() const { return m_dateIndex; }
    QString timeIndexText() const { return m_timeIndex; }

    // Each setter signals only when the value changes.
    void setAutomaticBackups(bool on);
    void setFilterString(const QString &filter);
    void setFilterIndexText(const QString &text);
    void setOpenDirectory(const QString &folder);
    void setDateIndexText(const QString &text);
    void setTimeIndexText(const QString &text);

    // Keeps these values and the frame's stored ones equal both ways, starting from the stored.
    void follow(OpenDialogSettings *openDialog, ValueLabel *filterIndex, ValueLabel *dateIndex,
                ValueLabel *timeIndex);

Q_SIGNALS:
    void automaticBackupsChanged(bool on);
    void filterStringChanged(const QString &filter);
    void filterIndexTextChanged(const QString &text);
    void openDirectoryChanged(const QString &folder);
    void dateIndexTextChanged(const QString &text);
    void timeIndexTextChanged(const QString &text);

private:
    void followLabel(ValueLabel *label, void (SharedOptions::*set)(const QString &),
                     void (SharedOptions::*changed)(const QString &));

    bool m_backups = false;
    QString m_filter;
    QString m_filterIndex = QStringLiteral("1");
    QString m_openDirectory;
    QString m_dateIndex = QStringLiteral("0");
    QString m_timeIndex = QStringLiteral("-1");
};
