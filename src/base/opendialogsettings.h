#pragma once

#include <QObject>
#include <QString>

// What the frame's Open dialog remembers between uses and runs: its folder, its filter string
// and the filter last chosen (1-based).
class OpenDialogSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString InitialDir MEMBER m_initialDir)
    Q_PROPERTY(int FilterIndex MEMBER m_filterIndex)
    Q_PROPERTY(QString Filter MEMBER m_filter)

public:
    OpenDialogSettings(const QString &filter, QObject *parent);

    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString &folder) { m_initialDir = folder; }
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }

private:
    QString m_initialDir;
    int m_filterIndex = 1;
    QString m_filter;
};
