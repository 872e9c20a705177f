#include "cli/read_command.h"

#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/live_lines.h"
#include "cli/logger_options.h"
#include "base/secret_items.h"
#include "cli/json_output.h"
#include "cli/logger_session.h"
#include "cli/output_file.h"
#include "cli/recording.h"
#include "cli/settings_input.h"
#include "settings/settings_file.h"
#include "settings/small_file.h"

#include <QElapsedTimer>

using namespace telvaro::base;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

const QString kOutput = QStringLiteral("output");
const QString kJson = QStringLiteral("json");
const QString kShowSecrets = QStringLiteral("show-secrets");

} // namespace

CliCommand ReadCommand::command(const SessionSetup &setup)
{
    return {QStringLiteral("read"), QStringLiteral("PORT"),
            tr("Read every setting of the logger on PORT into a settings file."),
            [](QCommandLineParser &parser) {
                parser.addOption({{QStringLiteral("o"), kOutput},
                                  tr("Write the settings file here (readable by its owner only) instead of on "
                                     "standard output (\"-\")."),
                                  QStringLiteral("FILE")});
                parser.addOption({kJson, tr("Give the settings as one JSON object instead of a settings file.")});
                parser.addOption({kShowSecrets, tr("With --json, show the passwords instead of %1.")
                                                    .arg(QLatin1StringView(SecretItems::kMask))});
                LoggerOptions::declare(parser);
                parser.addPositionalArgument(QStringLiteral("PORT"),
                                             tr("COM1 to COM9, as the window names ports, or the path of a serial device."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int ReadCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &base)
{
    const QString name = QStringLiteral("read");
    if (!CliUsage::hasArguments(parser, 1))
        return CliUsage::error(console, name, tr("one port is needed"));
    const std::optional<SessionSetup> setup = LoggerOptions::setupFor(parser, base, console, name);
    if (!setup)
        return ExitStatus::kTrouble;
    QString error;
    const std::optional<QList<LoggerPort>> ports = LoggerPorts::resolve(parser.positionalArguments(), setup->portsFolder, &error);
    if (!ports)
        return CliUsage::error(console, name, error);

    Interruption interruption;
    // Where the file goes is made sure of before the logger is reached: it holds the passwords,
    // so it is its owner's alone even where it replaces a file others could read.
    std::unique_ptr<FileReplacement> output;
    if (parser.isSet(kOutput) && !SettingsInput::isStandardStream(parser.value(kOutput))) {
        output = OutputFile::open(parser.value(kOutput), {}, console);
        if (!output)
            return ExitStatus::kTrouble;
    }

    LoggerSession session(ports->first(), *setup);
    interruption.stopOnRequest(session);
    std::optional<LiveLines> lines;
    LoggerOptions::followUnlessQuiet(parser, session, console, lines);
    const QDateTime begun = QDateTime::currentDateTimeUtc();
    QElapsedTimer clock;
    clock.start();
    const bool read = LoggerOptions::readOrTell(session, console);
    Recording::tell(console, Recording::addRead(setup->recordPath, session, begun, double(clock.elapsed()) / 1000.0,
                                                read ? QString() : Recording::readFailure(session)));
    if (!read)
        return session.interrupted() ? interruption.exitStatus() : ExitStatus::kFailure;

    const DeviceSettings settings = session.settings();
    QByteArray bytes;
    if (parser.isSet(kJson)) {
        // A JSON string holds any character: the object goes where the file would.
        bytes = JsonOutput::read(session.port().name, settings, parser.isSet(kShowSecrets));
    } else if (const QStringList items = itemsWithControlCharacters(settings); !items.isEmpty()) {
        // A value no settings file can hold (a control character in an answer) is no file.
        console.tell(tr("%1: the logger's answer to %2 holds a control character, which no settings file can hold")
                         .arg(session.port().name, items.join(QStringLiteral(", "))));
        return ExitStatus::kFailure;
    } else {
        bytes = settingsFileBytes(settings);
    }
    if (!output) {
        console.write(bytes);
        return ExitStatus::kSuccess;
    }
    return OutputFile::commit(*output, bytes, console) ? ExitStatus::kSuccess : ExitStatus::kFailure;
}

} // namespace telvaro::cli
