#include "errorhandler.h"

#include <QtDebug>

namespace {
ErrorHandler::Presenter &defaultPresenter()
{
    static ErrorHandler::Presenter instance;
    return instance;
}

ErrorHandler::Presenter &presenter()
{
    static ErrorHandler::Presenter instance;
    return instance;
}
} // namespace

void ErrorHandler::report(const QString &text)
{
    if (presenter()) {
        presenter()(text);
        return;
    }
    if (defaultPresenter()) {
        defaultPresenter()(text);
        return;
    }
    qWarning().noquote() << text;
}

void ErrorHandler::setDefaultPresenter(Presenter newPresenter)
{
    defaultPresenter() = std::move(newPresenter);
}

void ErrorHandler::setPresenter(Presenter newPresenter)
{
    presenter() = std::move(newPresenter);
}

QString ErrorHandler::outOfMemoryMessage()
{
    return QStringLiteral("There is not enough memory for this command, so it was not carried "
                          "out. Your texts are as they were; closing other Workspaces or "
                          "programs frees memory.");
}
