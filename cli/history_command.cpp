#include "cli/history_command.h"

#include "base/secret_items.h"
#include "cli/console.h"
#include "cli/logger_options.h"
#include "cli/output_file.h"
#include "cli/settings_input.h"
#include "cli/shown_values.h"
#include "record/exchange_record.h"
#include "record/exchange_spool.h"
#include "settings/csv_records.h"
#include "settings/item_captions.h"
#include "settings/settings_compare.h"
#include "settings/settings_items.h"
#include "settings/small_file.h"
#include "state/settings_state.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace telvaro::base;
using namespace telvaro::record;
using namespace telvaro::settings;
using namespace telvaro::state;
using namespace Qt::StringLiterals;

namespace telvaro::cli {

namespace {

const QString kName = QStringLiteral("history");
const QString kLogger = QStringLiteral("logger");
const QString kPort = QStringLiteral("port");
const QString kFailed = QStringLiteral("failed");
const QString kJson = QStringLiteral("json");
const QString kShow = QStringLiteral("show");
const QString kSync = QStringLiteral("sync");
const QString kSince = QStringLiteral("since");
const QString kExport = QStringLiteral("export");
const QString kCsv = QStringLiteral("csv");

QString localTime(const QDateTime &when)
{
    return when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

// The identity, and the label it was given beside it.
QString shownIdentity(const QString &identity, const QHash<QString, QString> &labels)
{
    return orDash(identityWithLabel(identity, labels.value(identity)));
}

// "2026-12-01", "2026-12-01T08:30" or "2026-12-01 08:30:15": local time unless an offset is given.
QDateTime sinceOf(const QString &text)
{
    // QDate reads the date at the start of a date and time, and leaves the rest.
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? date.startOfDay() : QDateTime();
    }
    QString isoForm = text;
    if (isoForm.size() > 10 && isoForm.at(10) == u' ')
        isoForm[10] = u'T';
    return isoForm.size() > 10 ? QDateTime::fromString(isoForm, Qt::ISODate) : QDateTime();
}

// The entries --logger, --port, --failed and --since keep; nothing, after saying why, for a
// --since that is no date.
std::optional<ExchangeRecord::Filter> filterOf(const QCommandLineParser &parser, Console &console)
{
    ExchangeRecord::Filter filter{parser.value(kLogger), parser.value(kPort), parser.isSet(kFailed), 0, {}};
    if (parser.isSet(kSince)) {
        filter.since = sinceOf(parser.value(kSince));
        if (!filter.since.isValid()) {
            CliUsage::error(console, kName,
                            HistoryCommand::tr("\"%1\" is no date (2026-12-01) or date and time (2026-12-01T08:30)")
                                .arg(parser.value(kSince)));
            return std::nullopt;
        }
    }
    return filter;
}

} // namespace

CliCommand HistoryCommand::command(const SessionSetup &setup)
{
    return {kName, QStringLiteral("[show N | sync | export --csv FILE]"),
            tr("List the exchanges with loggers recorded, newest first, or show one of them."),
            [](QCommandLineParser &parser) {
                parser.addOption({kLogger, tr("Only the exchanges of the logger with this identity or label."),
                                  QStringLiteral("ID")});
                parser.addOption({kPort, tr("Only the exchanges through this port (as given, or its device)."),
                                  QStringLiteral("PORT")});
                parser.addOption({kFailed, tr("Only the exchanges that failed.")});
                parser.addOption({kSince, tr("Only the exchanges from this date or date and time on (local time)."),
                                  QStringLiteral("DATE")});
                parser.addOption({kJson, tr("Give the list as one JSON array on standard output.")});
                parser.addOption({kCsv, tr("history export: the CSV file to write (- for standard output)."),
                                  QStringLiteral("FILE")});
                LoggerOptions::declareRecord(parser);
                parser.addPositionalArgument(QStringLiteral("show N"),
                                             tr("Show exchange number N with its items and, for a write, what it changed."));
                parser.addPositionalArgument(QStringLiteral("sync"),
                                             tr("Write the entries kept in the spool, while the record could not be "
                                                "written, to the record."));
                parser.addPositionalArgument(QStringLiteral("export"),
                                             tr("Write the exchanges listed, with their items, to a CSV file."));
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
    if (arguments.size() == 1 && arguments.first() == kSync)
        return sync(path, console);
    if (arguments.size() == 1 && arguments.first() == kExport)
        return exportCsv(parser, path, console);
    return CliUsage::error(console, kName, tr("the only arguments taken are \"show N\", \"sync\" and \"export\""));
}

int HistoryCommand::sync(const QString &path, Console &console)
{
    ExchangeRecord record(path);
    if (!record.isOpen()) {
        console.tell(tr("%1: %2; %n entry(s) wait in the spool", nullptr, ExchangeSpool::waiting(path))
                         .arg(kName, record.error()));
        return ExitStatus::kFailure;
    }
    const ExchangeSpool::Synced synced = ExchangeSpool::sync(record);
    for (const QString &problem : synced.problems)
        console.tell(QStringLiteral("%1: %2").arg(kName, problem));
    console.print(tr("%n entry(s) written to the record %1", nullptr, synced.written).arg(QDir::toNativeSeparators(path)));
    if (synced.left > 0) {
        console.print(tr("%n entry(s) still wait in %1", nullptr, synced.left)
                          .arg(QDir::toNativeSeparators(ExchangeSpool::folderFor(path))));
        return ExitStatus::kFailure;
    }
    return ExitStatus::kSuccess;
}

int HistoryCommand::exportCsv(const QCommandLineParser &parser, const QString &path, Console &console)
{
    if (!parser.isSet(kCsv))
        return CliUsage::error(console, kName, tr("history export needs --csv FILE"));
    const std::optional<ExchangeRecord::Filter> filter = filterOf(parser, console);
    if (!filter)
        return ExitStatus::kTrouble;
    const QString target = parser.value(kCsv);
    std::unique_ptr<FileReplacement> output;
    if (target != u"-") {
        output = OutputFile::open(target, {path}, console);
        if (!output)
            return ExitStatus::kTrouble;
    }
    ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
    QList<ExchangeEntry> entries;
    for (const ExchangeEntry &listed : record.list(*filter)) {
        if (std::optional<ExchangeEntry> entry = record.entry(listed.row))
            entries.append(*entry);
    }
    const QHash<QString, QString> labels = record.labels();
    if (!record.error().isEmpty()) {
        console.tell(QStringLiteral("%1: %2").arg(kName, record.error()));
        return ExitStatus::kFailure;
    }
    // The items of each entry as the exchange left the logger, as "history show" lists them; a
    // column for each item any entry holds, in the order of a settings file.
    const auto itemsOf = [](const ExchangeEntry &entry) -> const std::optional<DeviceSettings> & {
        return entry.received ? entry.received : entry.readBack ? entry.readBack : entry.meant ? entry.meant : entry.before;
    };
    QList<int> items;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const ExchangeEntry &entry) { return itemsOf(entry) && itemsOf(entry)->contains(item); }))
            items.append(item);
    }
    QStringList header = {QStringLiteral("number"), QStringLiteral("time"),    QStringLiteral("logger"),
                          QStringLiteral("label"),  QStringLiteral("model"),   QStringLiteral("channels"),
                          QStringLiteral("port"),   QStringLiteral("device"),  QStringLiteral("kind"),
                          QStringLiteral("outcome"), QStringLiteral("failure"), QStringLiteral("seconds"),
                          QStringLiteral("user"),   QStringLiteral("machine"), QStringLiteral("program")};
    for (int item : items)
        header.append(SettingsItems::at(item).name);
    QByteArray bytes = csvRecordBytes(header);
    for (const ExchangeEntry &entry : entries) {
        QStringList fields = {QString::number(entry.row), localTime(entry.when), entry.identity, labels.value(entry.identity),
                              entry.model, QString::number(entry.channels), entry.port, entry.device,
                              ExchangeEntry::kindName(entry.kind), entry.succeeded() ? tr("succeeded") : tr("failed"),
                              entry.failure, QString::number(entry.seconds, 'f', 1), entry.user, entry.machine,
                              entry.program + u' ' + entry.version};
        const std::optional<DeviceSettings> &settings = itemsOf(entry);
        for (int item : items) {
            std::optional<QString> value = settings ? settings->value(item) : std::nullopt;
            // Passwords are hashes in the record: the column says there was one, and nothing of it.
            if (value && SettingsItems::isSecret(item) && *value != u"???")
                value = QString::fromLatin1(SecretItems::kMask);
            fields.append(value.value_or(QString()));
        }
        bytes += csvRecordBytes(fields);
    }
    if (!output) {
        console.write(bytes);
        return ExitStatus::kSuccess;
    }
    return OutputFile::commit(*output, bytes, console) ? ExitStatus::kSuccess : ExitStatus::kFailure;
}

QString HistoryCommand::outcomeText(const ExchangeEntry &entry)
{
    return entry.succeeded() ? tr("succeeded") : tr("failed: %1").arg(entry.failure.section(u'\n', 0, 0));
}

int HistoryCommand::list(const QCommandLineParser &parser, const QString &path, Console &console)
{
    const std::optional<ExchangeRecord::Filter> filter = filterOf(parser, console);
    if (!filter)
        return ExitStatus::kTrouble;
    ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
    const QList<ExchangeEntry> entries = record.list(*filter);
    const QHash<QString, QString> labels = record.labels();
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
                                     {QStringLiteral("label"), labels.value(entry.identity)},
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
                               shownIdentity(entry.identity, labels), orDash(entry.model), entry.port,
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
