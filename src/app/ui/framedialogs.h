#pragma once

#include <memory>

class FrameSettings;
class QPrinter;
class QWidget;
class StayOnTop;
class TSpeedBar;

// The frame's modal dialogs and the printer they share with the Workspaces. Around each, the
// frame steps out of the stay-on-top order (Printer Setup) or drops the option while the
// program's own window is up (About, Preferences).
class FrameDialogs
{
public:
    FrameDialogs(QWidget *frame, StayOnTop &stayOnTop, FrameSettings &settings);
    ~FrameDialogs();

    // The printer every Workspace prints on, made at its first use.
    QPrinter *printer();
    void printerSetup();
    void about();
    void preferences();
    // The customisation window stays open beside the frame, so the frame must not cover it.
    void customize(TSpeedBar *bar);

private:
    QWidget *m_frame;
    StayOnTop &m_stayOnTop;
    FrameSettings &m_settings;
    std::unique_ptr<QPrinter> m_printer;
};
