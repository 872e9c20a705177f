#pragma once

#include <exception>

namespace telvaro::widgets {

// Logs an error that escaped the work a slot started.
void logEscapedError(const char *what, const char *detail);

// Runs work that a Qt slot starts. An exception must not unwind through the event loop: one
// that escapes is logged, then recover gives the screen back to the operator.
template<typename Work, typename Recover>
void runGuarded(const char *what, Work &&work, Recover &&recover)
{
    try {
        work();
        return;
    } catch (const std::exception &error) {
        logEscapedError(what, error.what());
    } catch (...) {
        logEscapedError(what, "an exception of unknown type");
    }
    recover();
}

template<typename Work>
void runGuarded(const char *what, Work &&work)
{
    runGuarded(what, work, [] {});
}

} // namespace telvaro::widgets
