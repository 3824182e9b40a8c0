#pragma once

#include <QObject>

#include <functional>

class Clock;
class QWidget;
class TextDocument;
class TfrmProperties;
class TopmostControl;
class WorkspaceFile;

// File > Properties of one Workspace: fills the Properties dialog from the file and the
// document's text and shows it.
class PropertiesLauncher : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: shows the filled dialog.
    using Runner = std::function<void(TfrmProperties &dialog)>;

    PropertiesLauncher(const WorkspaceFile *file, const TextDocument *document,
                       TopmostControl *topmost, QWidget *window);

    void setRunner(Runner runner) { m_runner = std::move(runner); }
    void setClock(const Clock *clock) { m_clock = clock; }
    // A file that went since it was read is reported, and no dialog shows.
    void puiPropertiesClick();

private:
    const WorkspaceFile *m_file;
    const TextDocument *m_document;
    TopmostControl *m_topmost;
    QWidget *m_window;
    const Clock *m_clock;
    Runner m_runner;
};
