#pragma once

#include <QObject>
#include <QString>

// A named value the program keeps as text and stores with the frame's settings, such as the
// chosen date format's row ("lblDate") or the default filter's number ("lblFilter").
class ValueLabel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)

public:
    ValueLabel(const QString &name, const QString &caption, QObject *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

Q_SIGNALS:
    void captionChanged(const QString &caption);

private:
    QString m_caption;
};
