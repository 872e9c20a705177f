#include "cli/provision_scripting.h"

#include "cli/cli_command.h"
#include "cli/console.h"
#include "cli/provision_report.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "state/settings_state.h"

#include <QSet>

using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

const QString kName = QStringLiteral("provision");
const QString kJobs = QStringLiteral("jobs");
const QString kDryRun = QStringLiteral("dry-run");
const QString kOnlyFailed = QStringLiteral("only-failed");

} // namespace

void ProvisionScripting::declare(QCommandLineParser &parser)
{
    parser.addOption({kJobs,
                      tr("Provision at most N loggers at once, the others waiting their turn (default: all, up to %1).")
                          .arg(ProvisionRun::kMostAtOnce),
                      QStringLiteral("N")});
    parser.addOption({kDryRun, tr("Read every logger and show what a write would change and find; send no write.")});
    parser.addOption({kOnlyFailed, tr("Run again only the loggers this report of an earlier provision records as not "
                                      "written or not read back as written."),
                      QStringLiteral("REPORT.json")});
}

bool ProvisionScripting::dryRun(const QCommandLineParser &parser)
{
    return parser.isSet(kDryRun);
}

std::optional<int> ProvisionScripting::atOnce(const QCommandLineParser &parser, qsizetype jobs, Console &console)
{
    if (!parser.isSet(kJobs))
        return int(std::clamp<qsizetype>(jobs, 1, ProvisionRun::kMostAtOnce));
    bool number = false;
    const int count = parser.value(kJobs).toInt(&number);
    if (!number || count < 1 || count > ProvisionRun::kMostAtOnce) {
        CliUsage::error(console, kName, tr("--jobs takes a number from 1 to %1, not \"%2\"")
                                            .arg(QString::number(ProvisionRun::kMostAtOnce), parser.value(kJobs)));
        return std::nullopt;
    }
    return count;
}

std::optional<QStringList> ProvisionScripting::failedPorts(const QCommandLineParser &parser, Console &console)
{
    if (!parser.isSet(kOnlyFailed))
        return QStringList();
    const QString path = parser.value(kOnlyFailed);
    QByteArray bytes;
    QString reason;
    // A report of thousands of loggers, every item before and after, fits many times over.
    constexpr qint64 kLargestReport = 256 * 1024 * 1024;
    std::optional<QStringList> ports;
    if (SettingsInput::readBytes(path, kLargestReport, console, &bytes, &reason))
        ports = ProvisionReport::portsNotVerified(bytes, &reason);
    if (!ports)
        console.tell(tr("%1: cannot be read: %2").arg(path, reason));
    return ports;
}

std::optional<QList<ProvisionJob>> ProvisionScripting::onlyFailed(const QList<ProvisionJob> &jobs, const QStringList &failed,
                                                                  const QString &portsFolder, Console &console)
{
    QSet<QString> identities;
    for (const QString &name : failed) {
        QString error;
        const std::optional<QList<LoggerPort>> port = LoggerPorts::resolve({name}, portsFolder, &error);
        if (!port) {
            CliUsage::error(console, kName, error);
            return std::nullopt;
        }
        identities.insert(port->first().identity());
    }
    QList<ProvisionJob> chosen;
    for (const ProvisionJob &job : jobs) {
        if (identities.contains(job.port.identity()))
            chosen.append(job);
        else
            console.tell(tr("%1: left out: the report records it as written and verified").arg(job.port.name));
    }
    return chosen;
}

void ProvisionScripting::printDryRun(const QList<ProvisionResult> &results, bool showSecrets, Console &console)
{
    const state::SettingsState noModel;
    for (const ProvisionResult &result : results) {
        const LoggerOutcome &outcome = result.outcome;
        if (outcome.changedItems) {
            console.print(tr("%1: a write would change %n item(s)", nullptr, int(outcome.changedItems->size())).arg(outcome.port));
            for (const int item : *outcome.changedItems) {
                const bool masked = SettingsItems::isSecret(item) && !showSecrets;
                console.print(QStringLiteral("  %1: %2 -> %3")
                                  .arg(SettingsItems::at(item).name,
                                       ShownValues::value(item, outcome.before->value(item), masked, noModel),
                                       ShownValues::value(item, outcome.meant->value(item), masked, noModel)));
            }
        }
        for (const QString &note : outcome.notes)
            console.print(QStringLiteral("  ") + note);
        if (!outcome.succeeded())
            console.print(QStringLiteral("%1: %2").arg(outcome.port, outcome.error));
    }
}

} // namespace telvaro::cli
