#pragma once

#include <QString>

#include <memory>

class HelpWindow;
class StayOnTop;

// The frame's Help menu: the help window, made at its first use from the help file in the
// program's folder. Help stays open beside the frame, so the frame stops staying on top.
class FrameHelp
{
public:
    FrameHelp(StayOnTop &stayOnTop, const QString &programFolder);
    ~FrameHelp();

    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    QString programFolder() const { return m_programFolder; }
    QString helpFileName() const;
    QString readmeFileName() const;
    // The help window once it has been opened; nullptr before.
    HelpWindow *window() const { return m_window.get(); }

    void showContents();
    void showIndex();
    void showHowToUse();
    void close();

private:
    HelpWindow &opened();

    StayOnTop &m_stayOnTop;
    QString m_programFolder;
    std::unique_ptr<HelpWindow> m_window;
};
