#pragma once

// The frame's place in the stay-on-top order, as the windows it holds need it. Every modal
// dialog is shown between dropTopmost() and restoreTopmost(), so that Stay On Top never hides one.
class TopmostControl
{
public:
    virtual ~TopmostControl() = default;

    // Out of the stay-on-top order; the option is not touched.
    virtual void dropTopmost() = 0;
    // Back into the stay-on-top order when the option is on.
    virtual void restoreTopmost() = 0;
    // Re-applies the option's state to the window without changing it (a Workspace shown).
    virtual void reapply() = 0;
    // Before a window that stays open on its own: the option is switched off for good.
    virtual void switchOff() = 0;
};

// Keeps the frame out of the stay-on-top order while a modal dialog is open, also when the
// command showing it fails.
class TopmostDropped
{
public:
    explicit TopmostDropped(TopmostControl &topmost)
        : m_topmost(topmost)
    {
        m_topmost.dropTopmost();
    }
    ~TopmostDropped() { m_topmost.restoreTopmost(); }
    TopmostDropped(const TopmostDropped &) = delete;
    TopmostDropped &operator=(const TopmostDropped &) = delete;

private:
    TopmostControl &m_topmost;
};
