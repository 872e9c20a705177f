#pragma once

#include "cli/session_setup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

#include <optional>

namespace telvaro::cli {

class Console;
class LiveLines;
class LoggerSession;

// What every command that talks to a logger shares: its options, and the live line of its
// exchange.
class LoggerOptions
{
    Q_DECLARE_TR_FUNCTIONS(LoggerOptions)

public:
    // --speed BPS, unless a command shows several loggers at once --quiet, and --record FILE
    // and --no-record.
    static void declare(QCommandLineParser &parser, bool withQuiet = true);
    // --record FILE alone: of a command that looks at the record.
    static void declareRecord(QCommandLineParser &parser);
    // The record --record names, or the setup's; empty with --no-record.
    static QString recordPath(const QCommandLineParser &parser, const SessionSetup &base);
    // The setup with the speed and the record asked for; nothing, after saying what is wrong,
    // for a speed the port dialog does not offer.
    static std::optional<SessionSetup> setupFor(const QCommandLineParser &parser, const SessionSetup &base,
                                                Console &console, const QString &command);
    // Of a command that declared --quiet.
    static bool quiet(const QCommandLineParser &parser);

    // The session's status texts and progress on line index of lines.
    static void follow(LoggerSession &session, LiveLines &lines, int index);
    // Of a command on one logger: unless --quiet, lines becomes the one live line of its session.
    static void followUnlessQuiet(const QCommandLineParser &parser, LoggerSession &session, Console &console,
                                  std::optional<LiveLines> &lines);
    // A full read of the session's logger; false, after saying why, when it failed.
    static bool readOrTell(LoggerSession &session, Console &console);
};

} // namespace telvaro::cli
