#pragma once

#include <exception>

namespace telvaro::widgets {

// Logs an error that escaped the work a slot started.
void logEscapedError(const char *what, const char *detail);

// Runs work that a Qt slot starts. An exception must not unwind through the event loop: one
// that escapes is logged, and the screen stays as the work left it.
template<typename Work>
void runGuarded(const char *what, Work &&work)
{
    try {
        work();
    } catch (const std::exception &error) {
        logEscapedError(what, error.what());
    } catch (...) {
        logEscapedError(what, "an exception of unknown type");
    }
}

} // namespace telvaro::widgets
