#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

#include <functional>

namespace telvaro::cli {

class Console;

// The exit status of telvaro-cli: 0 only when everything asked for succeeded.
namespace ExitStatus {
constexpr int kSuccess = 0;
constexpr int kFailure = 1; // the command ran and found problems or differences, or could not do its work
constexpr int kTrouble = 2; // a mistake on the command line, or a file that could not be read
constexpr int kLoggerUnread = 3; // diff PORT FILE: the logger could not be read, so nothing was compared
} // namespace ExitStatus

// One command of telvaro-cli: "telvaro-cli NAME [options] SYNTAX".
struct CliCommand
{
    QString name;
    QString syntax;
    QString summary; // one line, in the list of commands
    std::function<void(QCommandLineParser &)> declare; // its options and arguments
    std::function<int(const QCommandLineParser &, Console &)> run;
};

class CliUsage
{
    Q_DECLARE_TR_FUNCTIONS(CliUsage)

public:
    // Says what is wrong with the command line and where the help is; returns kTrouble.
    static int error(Console &console, const QString &command, const QString &message);
    // Requires exactly count arguments after the options.
    static bool hasArguments(const QCommandLineParser &parser, int count);
};

} // namespace telvaro::cli
