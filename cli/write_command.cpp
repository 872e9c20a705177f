#include "cli/write_command.h"

#include "base/secret_items.h"
#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/live_lines.h"
#include "cli/logger_options.h"
#include "cli/logger_session.h"
#include "cli/logger_writing.h"
#include "cli/recording.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "settings/item_captions.h"
#include "state/settings_state.h"

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

const QString kForce = QStringLiteral("force");
const QString kNoVerify = QStringLiteral("no-verify");
const QString kShowSecrets = QStringLiteral("show-secrets");

} // namespace

CliCommand WriteCommand::command(const SessionSetup &setup)
{
    return {QStringLiteral("write"), QStringLiteral("PORT FILE"),
            tr("Write the items of a settings file into the logger on PORT, then read them back."),
            [](QCommandLineParser &parser) {
                parser.addOption({kForce, tr("Write all the same what the checks stop: values that look wrong, changes nobody asked for.")});
                parser.addOption({kNoVerify, tr("Do not read the logger back after writing.")});
                parser.addOption({kShowSecrets, tr("Show the passwords instead of %1.").arg(QLatin1StringView(SecretItems::kMask))});
                LoggerOptions::declare(parser);
                parser.addPositionalArgument(QStringLiteral("PORT"),
                                             tr("COM1 to COM9, as the window names ports, or the path of a serial device."));
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int WriteCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &base)
{
    const QString name = QStringLiteral("write");
    if (!CliUsage::hasArguments(parser, 2))
        return CliUsage::error(console, name, tr("one port and one settings file are needed"));
    const std::optional<SessionSetup> setup = LoggerOptions::setupFor(parser, base, console, name);
    if (!setup)
        return ExitStatus::kTrouble;
    QString error;
    const std::optional<QList<LoggerPort>> ports =
        LoggerPorts::resolve({parser.positionalArguments().at(0)}, setup->portsFolder, &error);
    if (!ports)
        return CliUsage::error(console, name, error);
    const QString path = parser.positionalArguments().at(1);
    const std::optional<SettingsFileContents> file = SettingsInput::read(path, console);
    if (!file)
        return ExitStatus::kTrouble;
    if (!file->errors.isEmpty()) {
        for (const QString &line : SettingsInput::errorLines(path, *file))
            console.tell(line);
        return ExitStatus::kTrouble;
    }

    Interruption interruption;
    LoggerSession session(ports->first(), *setup);
    interruption.stopOnRequest(session);
    QObject::connect(&session, &LoggerSession::noted, &session, [&console, &session](const QString &note) {
        console.tell(QStringLiteral("%1: %2").arg(session.port().name, note));
    });
    std::optional<LiveLines> lines;
    LoggerOptions::followUnlessQuiet(parser, session, console, lines);
    const QDateTime begun = QDateTime::currentDateTimeUtc();
    const LoggerOutcome outcome =
        LoggerWriting::run(session, {file->settings, parser.isSet(kForce), !parser.isSet(kNoVerify), {}, path, {}});
    Recording::tell(console, Recording::addWrite(setup->recordPath, session, outcome, begun));
    report(outcome, session.state(), parser.isSet(kShowSecrets), console);
    if (interruption.signalNumber() != 0) {
        console.tell(tr("Stopped by %1.").arg(interruption.signalName()));
        for (const QString &line : Interruption::incomplete({outcome}))
            console.tell(line);
        return interruption.exitStatus();
    }
    return outcome.succeeded() ? ExitStatus::kSuccess : ExitStatus::kFailure;
}

void WriteCommand::report(const LoggerOutcome &outcome, const SettingsState &state, bool showSecrets, Console &console)
{
    const auto captions = itemCaptions(state);
    const auto itemText = [&captions](int item) { return ShownValues::item(SettingsItems::at(item).name, captions.at(item)); };
    const auto valueText = [showSecrets, &state](int item, const std::optional<QString> &value) {
        return ShownValues::value(item, value, SettingsItems::isSecret(item) && !showSecrets, state);
    };

    if (outcome.changedItems) {
        console.print(tr("%1: %n item(s) changed", nullptr, int(outcome.changedItems->size())).arg(outcome.port));
        for (const int item : *outcome.changedItems) {
            console.print(QStringLiteral("  %1: %2 -> %3")
                              .arg(itemText(item), valueText(item, outcome.before->value(item)),
                                   valueText(item, outcome.meant->value(item))));
        }
    }
    if (outcome.verification == LoggerOutcome::Verification::Verified)
        console.print(tr("%1: every item read back as written").arg(outcome.port));
    if (!outcome.mismatches.isEmpty())
        console.print(tr("%1: not read back as written:").arg(outcome.port));
    for (const ItemMismatch &mismatch : outcome.mismatches) {
        console.print(tr("  %1: written %2, read back %3")
                          .arg(itemText(mismatch.item), valueText(mismatch.item, mismatch.written),
                               valueText(mismatch.item, mismatch.readBack)));
    }
    if (!outcome.succeeded())
        console.tell(QStringLiteral("%1: %2").arg(outcome.port, outcome.error));
}

} // namespace telvaro::cli
