#include "cli/history_command.h"

#include "base/secret_items.h"
#include "cli/console.h"
#include "cli/logger_options.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "record/exchange_record.h"
#include "settings/item_captions.h"
#include "settings/settings_compare.h"
#include "settings/settings_items.h"
#include "state/settings_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace telvaro::base;
using namespace telvaro::record;
using namespace telvaro::settings;
using namespace telvaro::state;

namespace telvaro::cli {

namespace {

const QString kName = QStringLiteral("history");
const QString kLogger = QStringLiteral("logger");
const QString kPort = QStringLiteral("port");
const QString kFailed = QStringLiteral("failed");
const QString kJson = QStringLiteral("json");
const QString kShow = QStringLiteral("show");

QString localTime(const QDateTime &when)
{
    return when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace

CliCommand HistoryCommand::command(const SessionSetup &setup)
{
    return {kName, QStringLiteral("[show N]"),
            tr("List the exchanges with loggers recorded, newest first, or show one of them."),
            [](QCommandLineParser &parser) {
                parser.addOption({kLogger, tr("Only the exchanges of the logger with this identity."), QStringLiteral("ID")});
                parser.addOption({kPort, tr("Only the exchanges through this port (as given, or its device)."),
                                  QStringLiteral("PORT")});
                parser.addOption({kFailed, tr("Only the exchanges that failed.")});
                parser.addOption({kJson, tr("Give the list as one JSON array on standard output.")});
                LoggerOptions::declareRecord(parser);
                parser.addPositionalArgument(QStringLiteral("show N"),
                                             tr("Show exchange number N with its items and, for a write, what it changed."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int HistoryCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup)
{
    const QString path = LoggerOptions::recordPath(parser, setup);
    if (path.isEmpty())
        return CliUsage::error(console, kName, tr("no record of exchanges is kept; --record names one"));
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return list(parser, path, console);
    if (arguments.size() == 2 && arguments.first() == kShow)
        return show(arguments.at(1), path, setup, console);
    return CliUsage::error(console, kName, tr("the only arguments taken are \"show N\""));
}

QString HistoryCommand::outcomeText(const ExchangeEntry &entry)
{
    return entry.succeeded() ? tr("succeeded") : tr("failed: %1").arg(entry.failure.section(u'\n', 0, 0));
}

int HistoryCommand::list(const QCommandLineParser &parser, const QString &path, Console &console)
{
    ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
    const QList<ExchangeEntry> entries =
        record.list({parser.value(kLogger), parser.value(kPort), parser.isSet(kFailed), 0});
    if (!record.error().isEmpty()) {
        console.tell(QStringLiteral("%1: %2").arg(kName, record.error()));
        return ExitStatus::kFailure;
    }
    if (parser.isSet(kJson)) {
        QJsonArray array;
        for (const ExchangeEntry &entry : entries) {
            array.append(QJsonObject{{QStringLiteral("number"), entry.row},
                                     {QStringLiteral("id"), entry.id.toString(QUuid::WithoutBraces)},
                                     {QStringLiteral("time"), entry.when.toUTC().toString(Qt::ISODateWithMs)},
                                     {QStringLiteral("logger"), entry.identity},
                                     {QStringLiteral("model"), entry.model},
                                     {QStringLiteral("channels"), entry.channels},
                                     {QStringLiteral("port"), entry.port},
                                     {QStringLiteral("device"), entry.device},
                                     {QStringLiteral("kind"), ExchangeEntry::kindName(entry.kind)},
                                     {QStringLiteral("succeeded"), entry.succeeded()},
                                     {QStringLiteral("failure"), entry.failure},
                                     {QStringLiteral("seconds"), entry.seconds},
                                     {QStringLiteral("user"), entry.user},
                                     {QStringLiteral("machine"), entry.machine},
                                     {QStringLiteral("program"), entry.program + u' ' + entry.version}});
        }
        console.write(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return ExitStatus::kSuccess;
    }
    for (const ExchangeEntry &entry : entries) {
        console.print(QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8")
                          .arg(QString::number(entry.row).rightJustified(5), localTime(entry.when),
                               orDash(entry.identity), orDash(entry.model), entry.port,
                               ExchangeEntry::kindName(entry.kind), outcomeText(entry), orDash(entry.user)));
    }
    return ExitStatus::kSuccess;
}

int HistoryCommand::show(const QString &number, const QString &path, const SessionSetup &setup, Console &console)
{
    bool isNumber = false;
    const qint64 row = number.toLongLong(&isNumber);
    if (!isNumber || row <= 0)
        return CliUsage::error(console, kName, tr("\"%1\" is no exchange number").arg(number));
    ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
    const std::optional<ExchangeEntry> entry = record.entry(row);
    if (!record.error().isEmpty()) {
        console.tell(QStringLiteral("%1: %2").arg(kName, record.error()));
        return ExitStatus::kFailure;
    }
    if (!entry) {
        console.tell(tr("%1: no exchange number %2 in the record %3").arg(kName).arg(row).arg(path));
        return ExitStatus::kTrouble;
    }

    console.print(tr("Exchange %1: %2 of %3").arg(entry->row).arg(ExchangeEntry::kindName(entry->kind), orDash(entry->identity)));
    const QList<std::pair<QString, QString>> facts = {
        {tr("Time"), localTime(entry->when)},
        {tr("Outcome"), outcomeText(*entry)},
        {tr("Model"), entry->model.isEmpty() ? QStringLiteral("-")
                                             : tr("%1, %n channel(s)", nullptr, entry->channels).arg(entry->model)},
        {tr("Port"), entry->device.isEmpty() || entry->device == entry->port
                         ? entry->port
                         : QStringLiteral("%1 (%2)").arg(entry->port, entry->device)},
        {tr("User"), QStringLiteral("%1@%2").arg(entry->user, entry->machine)},
        {tr("Program"), QStringLiteral("%1 %2").arg(entry->program, entry->version)},
        {tr("Duration"), tr("%1 s").arg(entry->seconds, 0, 'f', 1)},
        {tr("Identifier"), entry->id.toString(QUuid::WithoutBraces)},
    };
    for (const auto &[label, value] : facts)
        console.print(QStringLiteral("%1: %2").arg(label, value));

    // The items of the logger as the exchange left it: what a read received, what a write read
    // back, or else meant.
    const std::optional<DeviceSettings> &items = entry->image();
    if (!items)
        return ExitStatus::kSuccess;
    const SettingsState model = SettingsInput::modelTablesFor(*items, setup.appFolder, console);
    const auto captions = itemCaptions(model);
    if (entry->kind == ExchangeEntry::Kind::Write && entry->before && entry->meant) {
        const QList<ItemDifference> changes = differingItems(*entry->before, *entry->meant, model);
        console.print(tr("Changed (%n item(s)):", nullptr, int(changes.size())));
        for (const ItemDifference &change : changes) {
            const bool secret = SettingsItems::isSecret(change.item);
            console.print(QStringLiteral("  %1: %2 -> %3")
                              .arg(ShownValues::item(change.name, change.caption),
                                   ShownValues::value(change.item, change.left, secret, model),
                                   secret ? tr("changed") : ShownValues::value(change.item, change.right, false, model)));
        }
    }
    console.print(entry->received ? tr("Items received:") : entry->readBack ? tr("Items read back:") : tr("Items:"));
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (!items->contains(item))
            continue;
        const bool secret = SettingsItems::isSecret(item);
        QString value = ShownValues::value(item, items->value(item), secret, model);
        if (secret && entry->kind == ExchangeEntry::Kind::Write && entry->before)
            value += u' ' + (entry->before->value(item) == items->value(item) ? tr("(unchanged)") : tr("(changed)"));
        console.print(QStringLiteral("  %1: %2").arg(ShownValues::item(SettingsItems::at(item).name, captions.at(item)), value));
    }
    return ExitStatus::kSuccess;
}

} // namespace telvaro::cli
