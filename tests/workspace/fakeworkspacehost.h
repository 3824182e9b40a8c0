#pragma once

#include "base/filelists.h"
#include "base/sharedoptions.h"
#include "base/topmostcontrol.h"
#include "base/ui/commandactions.h"
#include "workspace/ui/framecommands.h"
#include "workspace/ui/workspaceservices.h"

#include <QAction>
#include <QPrinter>
#include <QStringList>
#include <QWidget>

#include <memory>

// Stands in for the frame a Workspace lives in: real shared options and file lists the test
// sets, and a stay-on-top order and frame commands that count what the Workspace asks of them.
class FakeWorkspaceHost : public TopmostControl, public FrameCommands
{
public:
    FakeWorkspaceHost()
        : options(std::make_unique<SharedOptions>())
    {
        options->setFilterString(
                QStringLiteral("Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|"
                               "HTML Files (*.HTM)|*.htm|All Files (*.*)|*.*"));
    }

    WorkspaceServices services() { return {options.get(), &lists, this, this, nullptr}; }

    void dropTopmost() override
    {
        ++drops;
        ++depth;
    }
    void restoreTopmost() override
    {
        ++restores;
        --depth;
    }
    void reapply() override { ++reapplies; }
    void switchOff() override { ++switchOffs; }

    bool openInNewWorkspace(const QString &path) override
    {
        opened.append(path);
        return openSucceeds;
    }
    // Prints into a PDF file, pdfPath, that the test chooses.
    QPrinter *printer() override
    {
        if (!pdfPrinter) {
            pdfPrinter = std::make_shared<QPrinter>(QPrinter::HighResolution);
            pdfPrinter->setOutputFormat(QPrinter::PdfFormat);
        }
        pdfPrinter->setOutputFileName(pdfPath);
        return pdfPrinter.get();
    }
    void printerSetup() override { ++printerSetups; }
    // A frame's commands of its own, made when first asked for: New, Open and Exit count.
    const CommandActions &frameCommands() const override
    {
        if (!frameWindow) {
            frameWindow = std::make_shared<QWidget>();
            auto *commands = new CommandActions(CommandTable::frame(), frameWindow.get(),
                                                Qt::WindowShortcut);
            auto *self = const_cast<FakeWorkspaceHost *>(this);
            QObject::connect(commands->action(QStringLiteral("mniNew")), &QAction::triggered,
                             commands, [self] { ++self->newChildren; });
            QObject::connect(commands->action(QStringLiteral("mniOpen")), &QAction::triggered,
                             commands, [self] { ++self->openChildren; });
            QObject::connect(commands->action(QStringLiteral("mniExit")), &QAction::triggered,
                             commands, [self] { ++self->exits; });
            frameActions = commands;
        }
        return *frameActions;
    }
    void refreshTaskbarTitle() override { ++titleRefreshes; }

    std::unique_ptr<SharedOptions> options;
    FileLists lists;
    QStringList opened;
    bool openSucceeds = true;
    QString pdfPath;
    std::shared_ptr<QPrinter> pdfPrinter;
    mutable std::shared_ptr<QWidget> frameWindow;
    mutable CommandActions *frameActions = nullptr;
    int printerSetups = 0;
    int drops = 0, restores = 0, depth = 0, reapplies = 0, switchOffs = 0;
    int newChildren = 0, openChildren = 0, exits = 0, titleRefreshes = 0;
};
