#pragma once

#include "base/topmostcontrol.h"

#include <QObject>

class QAction;
class QWidget;

// The frame's Stay On Top policy. The option is the check mark of its action, and the window
// follows it as it turns; the window's place in the stay-on-top order is changed in place,
// never by moving, sizing or re-creating the window.
class StayOnTop : public QObject, public TopmostControl
{
    Q_OBJECT

public:
    StayOnTop(QWidget *frame, QAction *option);

    bool isOn() const;
    // Whether the frame currently asks to be kept above other windows.
    bool isTopmost() const;

    // Turns the option over, and the window with it.
    void toggle();
    // Out of the stay-on-top order; the option is not touched.
    void dropTopmost() override;
    // Back into the stay-on-top order when the option is on.
    void restoreTopmost() override;
    // Re-applies the option's state to the window (a Workspace being shown).
    void reapply() override;
    // Windows that stay open on their own: the option is switched off for good.
    void switchOff() override;

private:
    void setTopmost(bool topmost);

    QWidget *m_frame;
    QAction *m_option;
};

// The option is switched off around a modal window of the program's own and back on after it.
class StayOnTopSuspended
{
public:
    explicit StayOnTopSuspended(StayOnTop &stayOnTop)
        : m_stayOnTop(stayOnTop)
        , m_wasOn(stayOnTop.isOn())
    {
        if (m_wasOn)
            m_stayOnTop.toggle();
    }
    ~StayOnTopSuspended()
    {
        if (m_wasOn && !m_stayOnTop.isOn())
            m_stayOnTop.toggle();
    }
    StayOnTopSuspended(const StayOnTopSuspended &) = delete;
    StayOnTopSuspended &operator=(const StayOnTopSuspended &) = delete;

private:
    StayOnTop &m_stayOnTop;
    bool m_wasOn;
};
