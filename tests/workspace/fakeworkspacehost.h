#pragma once

#include "base/ui/commandactions.h"
#include "workspace/ui/workspacehost.h"

#include <QAction>
#include <QPrinter>
#include <QStringList>
#include <QWidget>

#include <memory>

// Records what a Workspace asks of its frame; every value can be set by the test.
class FakeWorkspaceHost : public WorkspaceHost
{
public:
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
    void reapplyStayOnTop() override { ++reapplies; }
    bool automaticBackups() const override { return backups; }
    QString filterString() const override { return filter; }
    QString filterIndexText() const override { return filterIndex; }
    QString openDirectory() const override { return directory; }
    void setOpenDirectory(const QString &folder) override { directory = folder; }
    void addRecentFile(const QString &path) override { recent.prepend(path); }
    QStringList recentFiles() const override { return recent; }
    QStringList favoriteFiles() const override { return favorites; }
    bool openInNewWorkspace(const QString &path) override
    {
        opened.append(path);
        return openSucceeds;
    }
    QString dateIndexText() const override { return dateIndex; }
    QString timeIndexText() const override { return timeIndex; }
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
            frame = commands;
        }
        return *frame;
    }
    void refreshTaskbarTitle() override { ++titleRefreshes; }

    bool backups = false;
    QString filter = QStringLiteral("Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|"
                                    "HTML Files (*.HTM)|*.htm|All Files (*.*)|*.*");
    QString filterIndex = QStringLiteral("1");
    QString directory;
    QStringList recent; // newest first
    QStringList favorites;
    QStringList opened;
    bool openSucceeds = true;
    QString dateIndex = QStringLiteral("0");
    QString timeIndex = QStringLiteral("-1");
    QString pdfPath;
    std::shared_ptr<QPrinter> pdfPrinter;
    mutable std::shared_ptr<QWidget> frameWindow;
    mutable CommandActions *frame = nullptr;
    int printerSetups = 0;
    int drops = 0, restores = 0, depth = 0, reapplies = 0;
    int newChildren = 0, openChildren = 0, exits = 0, titleRefreshes = 0;
};
