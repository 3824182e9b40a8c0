#pragma once

#include "apperror.h"

#include <QString>

#include <functional>
#include <new>
#include <utility>

// The one application-wide handler that every failed command ends in: it hands the error's
// text to the presenter the program installed (the message box titled "Leafstack"). Commands
// run through run() (or a slot made by command()), so an error unwinds the command and nothing
// else.
class ErrorHandler
{
public:
    using Presenter = std::function<void(const QString &text)>;

    // Shows the text through the presenter; without one it goes to the log.
    static void report(const QString &text);

    // The program's own presenter, installed once at start-up.
    static void setDefaultPresenter(Presenter presenter);
    // Replaces the default, e.g. in tests; an empty presenter restores the default.
    static void setPresenter(Presenter presenter);

    // Runs one command; returns false when it failed and the failure was reported.
    template<typename F>
    static bool run(F &&fn)
    {
        try {
            std::forward<F>(fn)();
            return true;
        } catch (const AppError &error) {
            report(error.message());
        } catch (const std::bad_alloc &) {
            // One command ran out of memory: it stops, and the program and its other texts go on.
            report(outOfMemoryMessage());
        } catch (const std::exception &error) {
            report(QString::fromLocal8Bit(error.what()));
        }
        return false;
    }

    static QString outOfMemoryMessage();

    // Wraps a command for use as a slot.
    template<typename F>
    static auto command(F fn)
    {
        return [fn = std::move(fn)]() mutable {
            run(fn);
        };
    }
};
