#pragma once

#include <QList>
#include <QObject>
#include <QString>

class TSpeedBar;
class TSpeedItem;

// A named group of tool bar items; it only shows in the customisation window, where the user
// picks a section to see the buttons it offers.
class TSpeedbarSection : public QObject
{
    Q_OBJECT

public:
    TSpeedbarSection(TSpeedBar *bar, const QString &caption);
    ~TSpeedbarSection() override;

    TSpeedBar *bar() const { return m_bar; }
    QString Caption() const { return m_caption; }
    // Throws ESpeedbarError "String list does not allow duplicates" when another section of the
    // bar has that caption already.
    void setCaption(const QString &caption);
    // The section's place in the bar's list.
    int Index() const;
    QList<TSpeedItem *> items() const { return m_items; }

private:
    friend class TSpeedItem;
    TSpeedBar *m_bar;
    QString m_caption;
    QList<TSpeedItem *> m_items;
};
