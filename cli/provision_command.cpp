#include "cli/provision_command.h"

#include "base/secret_items.h"
#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/live_lines.h"
#include "cli/logger_options.h"
#include "cli/output_file.h"
#include "cli/provision_report.h"
#include "cli/provision_scripting.h"
#include "cli/recording.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "settings/small_file.h"
#include "settings/units_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <memory>
#include <vector>

using namespace telvaro::base;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

const QString kName = QStringLiteral("provision");
const QString kPort = QStringLiteral("port");
const QString kUnits = QStringLiteral("units");
const QString kReport = QStringLiteral("report");
const QString kLogDir = QStringLiteral("log-dir");
const QString kShowSecrets = QStringLiteral("show-secrets");
const QString kForce = QStringLiteral("force");
const QString kOnlyFailed = QStringLiteral("only-failed"); // declared by ProvisionScripting

} // namespace

CliCommand ProvisionCommand::command(const SessionSetup &setup)
{
    return {kName, QStringLiteral("FILE"),
            tr("Write a settings file into many loggers at once, each with its own values, and read them back."),
            [](QCommandLineParser &parser) {
                parser.addOption({kPort,
                                  tr("A logger's port: COM1 to COM9 or the path of a serial device; once per logger. "
                                     "Without it, the ports of the units file."),
                                  QStringLiteral("PORT")});
                parser.addOption({kUnits,
                                  tr("A CSV file of the values that differ from logger to logger: a \"port\" column and a "
                                     "column per item, a row per logger."),
                                  QStringLiteral("UNITS.csv")});
                parser.addOption({kReport, tr("Record every logger, its items before and after, in this JSON file."),
                                  QStringLiteral("REPORT.json")});
                parser.addOption({kLogDir, tr("Keep each logger's exchange, passwords masked, in a file in this folder."),
                                  QStringLiteral("DIR")});
                parser.addOption({kShowSecrets, tr("Show the passwords in the report instead of %1.").arg(QLatin1StringView(SecretItems::kMask))});
                parser.addOption({kForce, tr("Write all the same what the checks stop: values that look wrong, changes nobody asked for.")});
                ProvisionScripting::declare(parser);
                LoggerOptions::declare(parser, false);
                parser.addPositionalArgument(QStringLiteral("FILE"),
                                             tr("The settings file every logger is given; \"-\" for standard input."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int ProvisionCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &base)
{
    if (!CliUsage::hasArguments(parser, 1))
        return CliUsage::error(console, kName, tr("one settings file is needed"));
    const std::optional<SessionSetup> setup = LoggerOptions::setupFor(parser, base, console, kName);
    if (!setup)
        return ExitStatus::kTrouble;
    const QString templatePath = parser.positionalArguments().at(0);
    if (!SettingsInput::atMostOneStandardInput({templatePath, parser.value(kUnits), parser.value(kOnlyFailed)},
                                               console, kName))
        return ExitStatus::kTrouble;
    const bool dryRun = ProvisionScripting::dryRun(parser);
    if (dryRun && parser.isSet(kReport))
        return CliUsage::error(console, kName, tr("--dry-run writes no report: it writes no logger"));
    const std::optional<SettingsFileContents> file = SettingsInput::read(templatePath, console);
    if (!file)
        return ExitStatus::kTrouble;
    if (!file->errors.isEmpty()) {
        for (const QString &line : SettingsInput::errorLines(templatePath, *file))
            console.tell(line);
        return ExitStatus::kTrouble;
    }
    const std::optional<QList<ProvisionJob>> jobs = jobsOf(parser, file->settings, *setup, console);
    if (!jobs)
        return ExitStatus::kTrouble;
    if (jobs->isEmpty()) {
        console.tell(tr("%1: every logger was written and verified; none to run again").arg(parser.value(kOnlyFailed)));
        return ExitStatus::kSuccess;
    }
    const std::optional<int> atOnce = ProvisionScripting::atOnce(parser, jobs->size(), console);
    if (!atOnce)
        return ExitStatus::kTrouble;

    // From here on a stop signal ends the provision through its normal path, records written.
    Interruption interruption;
    // Where the records go is made sure of before any logger is touched.
    QStringList inputs{templatePath};
    if (parser.isSet(kUnits))
        inputs.append(parser.value(kUnits));
    std::unique_ptr<FileReplacement> report;
    // "-": the report alone on standard output, the table on standard error.
    const bool reportOnOutput = SettingsInput::isStandardStream(parser.value(kReport));
    if (parser.isSet(kReport) && !reportOnOutput) {
        report = OutputFile::open(parser.value(kReport), inputs, console);
        if (!report)
            return ExitStatus::kTrouble;
    }
    const QString logFolder = parser.value(kLogDir);
    std::vector<std::unique_ptr<FileReplacement>> logs;
    if (!logFolder.isEmpty()) {
        if (!OutputFile::prepareFolder(logFolder, console))
            return ExitStatus::kTrouble;
        for (const ProvisionJob &job : *jobs) {
            logs.push_back(OutputFile::open(QDir(logFolder).filePath(logFileName(job.port.name)), inputs, console));
            if (!logs.back())
                return ExitStatus::kTrouble;
        }
    }

    QStringList names;
    for (const ProvisionJob &job : *jobs)
        names.append(job.port.name);
    LiveLines lines(console, names);
    const QDateTime started = QDateTime::currentDateTimeUtc();
    const QList<ProvisionResult> results = ProvisionRun::run(*jobs, *setup, &lines, *atOnce, &interruption);
    // Said once for the run: the loggers' record failures share their cause.
    const auto unrecorded = std::find_if(results.begin(), results.end(),
                                         [](const ProvisionResult &result) { return result.recordFailure.has_value(); });
    if (unrecorded != results.end())
        Recording::tell(console, unrecorded->recordFailure);

    ProvisionRecord record{QStringLiteral("telvaro-cli ") + QCoreApplication::applicationVersion(), templatePath,
                           parser.value(kUnits), started, {}, interruption.signalName()};
    bool succeeded = true;
    // A note many loggers share (the same template over loggers of one model) is said once.
    QList<std::pair<QString, QStringList>> notes;
    for (const ProvisionResult &result : results) {
        record.loggers.append(result.outcome);
        succeeded = succeeded && result.outcome.succeeded();
        for (const QString &note : result.outcome.notes) {
            // A dry run lists its findings with the rest of what it prints.
            if (dryRun)
                continue;
            auto same = std::find_if(notes.begin(), notes.end(), [&note](const auto &noted) { return noted.first == note; });
            if (same == notes.end())
                notes.append({note, {result.outcome.port}});
            else
                same->second.append(result.outcome.port);
        }
    }
    for (const auto &[note, ports] : notes)
        console.tell(QStringLiteral("%1: %2").arg(ports.join(QStringLiteral(", ")), note));
    if (dryRun)
        ProvisionScripting::printDryRun(results, parser.isSet(kShowSecrets), console);
    else if (reportOnOutput)
        console.tell(ProvisionReport::table(record.loggers));
    else
        console.print(ProvisionReport::table(record.loggers));

    for (std::size_t i = 0; i < logs.size(); ++i)
        succeeded = OutputFile::commit(*logs.at(i), results.at(qsizetype(i)).log, console) && succeeded;
    if (reportOnOutput)
        console.write(ProvisionReport::json(record, parser.isSet(kShowSecrets)));
    if (report)
        succeeded = OutputFile::commit(*report, ProvisionReport::json(record, parser.isSet(kShowSecrets)), console) && succeeded;
    if (interruption.signalNumber() != 0) {
        console.tell(tr("Stopped by %1.").arg(interruption.signalName()));
        for (const QString &line : Interruption::incomplete(record.loggers))
            console.tell(line);
        return interruption.exitStatus();
    }
    return succeeded ? ExitStatus::kSuccess : ExitStatus::kFailure;
}

std::optional<QList<ProvisionJob>> ProvisionCommand::jobsOf(const QCommandLineParser &parser,
                                                           const DeviceSettings &templateItems,
                                                           const SessionSetup &setup, Console &console)
{
    std::optional<UnitsFileContents> units;
    if (parser.isSet(kUnits)) {
        units = unitsOf(parser.value(kUnits), console);
        if (!units)
            return std::nullopt;
    }
    const std::optional<QStringList> failed = ProvisionScripting::failedPorts(parser, console);
    if (!failed)
        return std::nullopt;
    QStringList given = parser.values(kPort);
    if (given.isEmpty() && units) {
        for (const UnitRow &row : units->units)
            given.append(row.port);
    }
    // Run again: the loggers of the report, unless the command line names them.
    if (given.isEmpty() && parser.isSet(kOnlyFailed))
        given = *failed;
    if (given.isEmpty()) {
        CliUsage::error(console, kName, tr("no port is given: name each with --port, or give a units file"));
        return std::nullopt;
    }
    QString error;
    const std::optional<QList<LoggerPort>> ports = LoggerPorts::resolve(given, setup.portsFolder, &error);
    if (!ports) {
        CliUsage::error(console, kName, error);
        return std::nullopt;
    }

    QList<ProvisionJob> jobs;
    QHash<QString, qsizetype> jobOfIdentity; // a units file may have thousands of rows
    for (const LoggerPort &port : *ports) {
        jobOfIdentity.insert(port.identity(), jobs.size());
        jobs.append({port, {templateItems, parser.isSet(kForce), true, {}, parser.positionalArguments().at(0), {},
                            ProvisionScripting::dryRun(parser)}});
    }
    const auto chosen = [&](const QList<ProvisionJob> &all) {
        if (!parser.isSet(kOnlyFailed))
            return std::optional<QList<ProvisionJob>>(all);
        return ProvisionScripting::onlyFailed(all, *failed, setup.portsFolder, console);
    };
    if (!units)
        return chosen(jobs);

    // Each row belongs to the logger whose port leads to the same device.
    QList<bool> hasRow(jobs.size(), false);
    bool allFound = true;
    for (const UnitRow &row : units->units) {
        const std::optional<QList<LoggerPort>> rowPort = LoggerPorts::resolve({row.port}, setup.portsFolder, &error);
        if (!rowPort) {
            console.tell(QStringLiteral("%1: line %2: %3").arg(parser.value(kUnits)).arg(row.line).arg(error));
            allFound = false;
            continue;
        }
        const qsizetype index = jobOfIdentity.value(rowPort->first().identity(), -1);
        if (index < 0) {
            console.tell(tr("%1: line %2: the port %3 is not given with --port").arg(parser.value(kUnits)).arg(row.line).arg(row.port));
            allFound = false;
            continue;
        }
        ProvisionJob &job = jobs[index];
        job.order.unitRow.overlay(row.settings);
        job.order.rowName = tr("%1: line %2").arg(parser.value(kUnits)).arg(row.line);
        hasRow[index] = true;
    }
    for (int i = 0; i < jobs.size(); ++i) {
        if (!hasRow.at(i)) {
            console.tell(tr("%1: no row for the port %2").arg(parser.value(kUnits), jobs.at(i).port.name));
            allFound = false;
        }
    }
    if (!allFound)
        return std::nullopt;
    return chosen(jobs);
}

std::optional<UnitsFileContents> ProvisionCommand::unitsOf(const QString &path, Console &console)
{
    QByteArray bytes;
    QString reason;
    if (!SettingsInput::readBytes(path, kLargestUnitsFile, console, &bytes, &reason)) {
        console.tell(tr("%1: cannot be read: %2").arg(path, reason));
        return std::nullopt;
    }
    // Nobody is left wondering at a silent terminal while a large file is checked.
    constexpr qsizetype kLargeFile = 1024 * 1024;
    if (bytes.size() > kLargeFile)
        console.tell(tr("%1: checking %2 MB of units").arg(path, QString::number(double(bytes.size()) / 1e6, 'f', 1)));
    const UnitsFileContents contents = parseUnitsFile(bytes);
    for (const UnitsFileError &error : contents.errors)
        console.tell(QStringLiteral("%1: %2").arg(path, describe(error)));
    if (!contents.errors.isEmpty())
        return std::nullopt;
    return contents;
}

QString ProvisionCommand::logFileName(const QString &port)
{
    QString name = port;
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    name.replace(u'/', u'_');
    return name + QStringLiteral(".log");
}

} // namespace telvaro::cli
