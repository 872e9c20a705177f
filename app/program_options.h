#pragma once

#include <optional>

class QCoreApplication;
class QCommandLineParser;

namespace telvaro::app {

// The command line of telvaro-config. The window itself takes no input from it; the options
// say where files live and answer questions about the program.
struct ProgramOptions
{
    // env.dat in the per-user data folder rather than in the current folder: for a start from
    // the desktop menu, whose current folder is wherever the desktop likes.
    bool envInUserFolder = false;

    // Declares the options on the parser.
    static void declare(QCommandLineParser &parser);

    // --help and --version need no window and no display: answered on standard output, with
    // exit status 0, before the window's application starts. Returns the exit status when one of
    // them was asked for, nothing otherwise.
    static std::optional<int> answerQuestions(int argc, char *argv[]);

    // The options of the application's arguments (Qt's own taken out). A mistake ends the
    // program with a message on standard error and exit status 1.
    static ProgramOptions parse(const QCoreApplication &application);
};

} // namespace telvaro::app
