#pragma once

#include <QPointer>
#include <QWidget>

class QGridLayout;
class TSpeedBar;

// Holds a tool bar and the widget it serves, the bar along the edge its alignment names; when
// a restored layout moves the bar to another edge, the dock follows.
class SpeedbarDock : public QWidget
{
    Q_OBJECT

public:
    SpeedbarDock(TSpeedBar *bar, QWidget *client, QWidget *parent = nullptr);

    TSpeedBar *bar() const { return m_bar; }
    QWidget *client() const { return m_client; }

private:
    void place();

    QPointer<TSpeedBar> m_bar;
    QWidget *m_client;
    QGridLayout *m_grid;
};
