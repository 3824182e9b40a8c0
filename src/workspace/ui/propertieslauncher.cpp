#include "propertieslauncher.h"

#include "base/errorhandler.h"
#include "base/topmostcontrol.h"
#include "format/systemclock.h"
#include "workspace/fileproperties.h"
#include "workspace/ui/tfrmproperties.h"
#include "workspace/workspacefile.h"

#include <QWidget>

PropertiesLauncher::PropertiesLauncher(const WorkspaceFile *file, const TextDocument *document,
                                       TopmostControl *topmost, QWidget *window)
    : QObject(window)
    , m_file(file)
    , m_document(document)
    , m_topmost(topmost)
    , m_window(window)
    , m_clock(&SystemClock::instance())
{ }

void PropertiesLauncher::puiPropertiesClick()
{
    ErrorHandler::run([this]() {
        TopmostDropped dropped(*m_topmost);
        const FileProperties properties =
                FileProperties::read(m_file->propertiesSource(*m_document), *m_clock);
        TfrmProperties dialog(m_window);
        dialog.fill(properties);
        if (m_runner)
            m_runner(dialog);
        else
            dialog.exec();
    });
}
