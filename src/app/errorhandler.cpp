#include "errorhandler.h"

#include "appmessagebox.h"

namespace {
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
    AppMessageBox::showError(text);
}

void ErrorHandler::setPresenter(Presenter newPresenter)
{
    presenter() = std::move(newPresenter);
}
