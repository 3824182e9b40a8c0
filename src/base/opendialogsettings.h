#pragma once

#include <QObject>
#include <QString>

// What the frame's Open dialog remembers between uses and runs: its folder, its filter string
// and the filter last chosen (1-based).
class OpenDialogSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString InitialDir READ initialDir WRITE setInitialDir NOTIFY initialDirChanged)
    Q_PROPERTY(int FilterIndex MEMBER m_filterIndex)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter NOTIFY filterChanged)

public:
    OpenDialogSettings(const QString &filter, QObject *parent);

    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString &folder);
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter);

Q_SIGNALS:
    void initialDirChanged(const QString &folder);
    void filterChanged(const QString &filter);

private:
    QString m_initialDir;
    int m_filterIndex = 1;
    QString m_filter;
};
