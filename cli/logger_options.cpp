#include "cli/logger_options.h"

#include "cli/cli_command.h"
#include "cli/console.h"
#include "cli/live_lines.h"
#include "cli/logger_session.h"
#include "link/speed_table.h"

using namespace telvaro::link;

namespace telvaro::cli {

namespace {

const QString kSpeed = QStringLiteral("speed");
const QString kQuiet = QStringLiteral("quiet");
const QString kRecord = QStringLiteral("record");
const QString kNoRecord = QStringLiteral("no-record");

} // namespace

void LoggerOptions::declare(QCommandLineParser &parser, bool withQuiet)
{
    parser.addOption({kSpeed, tr("The line speed in bit/s, as the port dialog offers it (default 9600)."),
                      QStringLiteral("BPS"), QStringLiteral("9600")});
    if (withQuiet)
        parser.addOption({{QStringLiteral("q"), kQuiet}, tr("Show no progress on standard error.")});
    declareRecord(parser);
    parser.addOption({kNoRecord, tr("Leave this run out of the record of exchanges.")});
}

void LoggerOptions::declareRecord(QCommandLineParser &parser)
{
    parser.addOption({kRecord,
                      tr("The record of exchanges: this SQLite file instead of record.sqlite in the per-user folder "
                         "(or the file TELVARO_RECORD names)."),
                      QStringLiteral("FILE")});
}

QString LoggerOptions::recordPath(const QCommandLineParser &parser, const SessionSetup &base)
{
    if (parser.optionNames().contains(kNoRecord)) // only the options given: history has none such
        return QString();
    return parser.isSet(kRecord) ? parser.value(kRecord) : base.recordPath;
}

std::optional<SessionSetup> LoggerOptions::setupFor(const QCommandLineParser &parser, const SessionSetup &base,
                                                    Console &console, const QString &command)
{
    const QString speed = parser.value(kSpeed);
    const SpeedTable speeds;
    QStringList offered;
    for (qint16 slot = 0; slot <= SpeedTable::kLast; ++slot) {
        const QString bps = speeds.at(slot).section(u',', 0, 0);
        if (bps.isEmpty())
            continue;
        if (bps == speed) {
            SessionSetup setup = base;
            setup.baudIndex = slot;
            setup.recordPath = recordPath(parser, base);
            return setup;
        }
        offered.append(bps);
    }
    CliUsage::error(console, command, tr("no line speed %1: one of %2").arg(speed, offered.join(QStringLiteral(", "))));
    return std::nullopt;
}

bool LoggerOptions::quiet(const QCommandLineParser &parser)
{
    return parser.isSet(kQuiet);
}

void LoggerOptions::followUnlessQuiet(const QCommandLineParser &parser, LoggerSession &session, Console &console,
                                      std::optional<LiveLines> &lines)
{
    if (quiet(parser))
        return;
    lines.emplace(console, QStringList{session.port().name});
    follow(session, *lines, 0);
}

bool LoggerOptions::readOrTell(LoggerSession &session, Console &console)
{
    if (session.read())
        return true;
    if (session.interrupted())
        console.tell(tr("%1: the read was stopped before its end; run the command again").arg(session.port().name));
    else
        console.tell(tr("%1: the read failed: %2").arg(session.port().name, session.failure()));
    return false;
}

void LoggerOptions::follow(LoggerSession &session, LiveLines &lines, int index)
{
    QObject::connect(&session, &LoggerSession::statusChanged, &session,
                     [&lines, index](const QString &text) { lines.setStatus(index, text); });
    QObject::connect(&session, &LoggerSession::progressChanged, &session,
                     [&lines, index](int done, int total) { lines.setProgress(index, done, total); });
    QObject::connect(&session, &LoggerSession::stopping, &session,
                     [&lines, index](const QString &text) { lines.setNote(index, text); });
}

} // namespace telvaro::cli
