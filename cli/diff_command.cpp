#include "cli/diff_command.h"

#include "base/secret_items.h"
#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/json_output.h"
#include "cli/live_lines.h"
#include "cli/logger_options.h"
#include "cli/logger_port.h"
#include "cli/logger_session.h"
#include "cli/recording.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "files/app_folder.h"
#include "ports/serial_ports.h"
#include "settings/settings_compare.h"

#include <QElapsedTimer>

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

const QString kShowSecrets = QStringLiteral("show-secrets");
const QString kDiff = QStringLiteral("diff");
const QString kJson = QStringLiteral("json");

// A COM name, or a device: a settings file is neither.
bool namesAPort(const QString &argument)
{
    return LoggerPorts::looksLikeComName(argument) || ports::isCharacterDevice(argument);
}

// The file read and free of errors; nothing after saying what is wrong.
std::optional<SettingsFileContents> goodFile(const QString &path, Console &console)
{
    std::optional<SettingsFileContents> file = SettingsInput::read(path, console);
    if (file && !file->errors.isEmpty()) {
        for (const QString &line : SettingsInput::errorLines(path, *file))
            console.tell(line);
        return std::nullopt;
    }
    return file;
}

} // namespace

CliCommand DiffCommand::command(const SessionSetup &setup)
{
    return {kDiff, QStringLiteral("FILE|PORT FILE"),
            tr("List the items whose values differ between two settings files, or between a logger and a file."),
            [](QCommandLineParser &parser) {
                parser.addOption({kShowSecrets, tr("Show the passwords instead of %1.").arg(QLatin1StringView(SecretItems::kMask))});
                parser.addOption({kJson, tr("Give the differences as one JSON object on standard output.")});
                LoggerOptions::declare(parser);
                parser.addPositionalArgument(QStringLiteral("FILE|PORT"),
                                             tr("The settings file, or the port of the logger, shown after \"<\"; "
                                                "\"-\" for standard input."));
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file shown after \">\"; \"-\" for standard input."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int DiffCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup)
{
    if (!CliUsage::hasArguments(parser, 2))
        return CliUsage::error(console, kDiff, tr("two settings files, or a port and a settings file, are needed"));
    if (!SettingsInput::atMostOneStandardInput(parser.positionalArguments(), console, kDiff))
        return ExitStatus::kTrouble;
    if (namesAPort(parser.positionalArguments().at(0)))
        return compareWithLogger(parser, setup, console);
    return compareFiles(parser, console);
}

int DiffCommand::compareFiles(const QCommandLineParser &parser, Console &console)
{
    const QStringList paths = parser.positionalArguments();
    std::optional<SettingsFileContents> files[2];
    for (int side = 0; side < 2; ++side) {
        files[side] = goodFile(paths.at(side), console);
        if (!files[side])
            return ExitStatus::kTrouble;
    }
    // The captions and element names follow the model of the first file that names one.
    const DeviceSettings &left = files[0]->settings;
    const DeviceSettings &right = files[1]->settings;
    const DeviceSettings &named = left.contains(SettingsItems::kModel) ? left : right;
    const SettingsState model = SettingsInput::modelTablesFor(named, AppFolder::ofRunningProgram(), console);
    return print(differingItems(left, right, model), model, paths.at(0), paths.at(1), parser, console);
}

int DiffCommand::compareWithLogger(const QCommandLineParser &parser, const SessionSetup &base, Console &console)
{
    const std::optional<SessionSetup> setup = LoggerOptions::setupFor(parser, base, console, kDiff);
    if (!setup)
        return ExitStatus::kTrouble;
    QString error;
    const std::optional<QList<LoggerPort>> ports =
        LoggerPorts::resolve({parser.positionalArguments().at(0)}, setup->portsFolder, &error);
    if (!ports)
        return CliUsage::error(console, kDiff, error);
    const QString path = parser.positionalArguments().at(1);
    const std::optional<SettingsFileContents> file = goodFile(path, console);
    if (!file)
        return ExitStatus::kTrouble;

    Interruption interruption;
    LoggerSession session(ports->first(), *setup);
    interruption.stopOnRequest(session);
    std::optional<LiveLines> lines;
    LoggerOptions::followUnlessQuiet(parser, session, console, lines);
    const QDateTime begun = QDateTime::currentDateTimeUtc();
    QElapsedTimer clock;
    clock.start();
    const bool read = session.read();
    Recording::tell(console, Recording::addRead(setup->recordPath, session, begun, double(clock.elapsed()) / 1000.0,
                                                read ? QString() : Recording::readFailure(session)));
    if (!read) {
        if (session.interrupted())
            return interruption.exitStatus();
        // Not a difference: a script must not take a logger that did not answer for one that differs.
        const QString failure = tr("the read failed: %1").arg(session.failure());
        console.tell(tr("%1: %2; nothing was compared").arg(session.port().name, failure));
        if (parser.isSet(kJson))
            console.write(JsonOutput::diff(session.port().name, path, std::nullopt, failure, parser.isSet(kShowSecrets)));
        return ExitStatus::kLoggerUnread;
    }
    // The items the file gives, each as the logger holds it; the captions follow its model.
    const DeviceSettings logger = session.settings();
    DeviceSettings held;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (file->settings.contains(item) && logger.contains(item))
            held.set(item, *logger.value(item));
    }
    return print(differingItems(held, file->settings, session.state()), session.state(), session.port().name, path,
                 parser, console);
}

int DiffCommand::print(const QList<ItemDifference> &differences, const SettingsState &model, const QString &left,
                       const QString &right, const QCommandLineParser &parser, Console &console)
{
    const bool showSecrets = parser.isSet(kShowSecrets);
    if (parser.isSet(kJson))
        console.write(JsonOutput::diff(left, right, differences, {}, showSecrets));
    if (differences.isEmpty())
        return ExitStatus::kSuccess;
    if (parser.isSet(kJson)) {
        console.tell(tr("%n item(s) differ", nullptr, int(differences.size())));
        return ExitStatus::kFailure;
    }
    console.print(QStringLiteral("< ") + left);
    console.print(QStringLiteral("> ") + right);
    for (const ItemDifference &difference : differences) {
        const bool masked = SettingsItems::isSecret(difference.item) && !showSecrets;
        console.print(ShownValues::item(difference.name, difference.caption));
        console.print(QStringLiteral("  < ") + ShownValues::value(difference.item, difference.left, masked, model));
        console.print(QStringLiteral("  > ") + ShownValues::value(difference.item, difference.right, masked, model));
    }
    console.tell(tr("%n item(s) differ", nullptr, int(differences.size())));
    return ExitStatus::kFailure;
}

} // namespace telvaro::cli
