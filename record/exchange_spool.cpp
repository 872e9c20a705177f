#include "record/exchange_spool.h"

#include "files/user_data_folder.h"
#include "record/exchange_record.h"
#include "record/secret_hash.h"
#include "settings/settings_file.h"
#include "settings/settings_items.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace telvaro::record {

using namespace telvaro::settings;

namespace {

const QString kSuffix = QStringLiteral(".entry");

const char *const kSettingsNames[] = {"received", "before", "meant", "readBack"};

std::optional<DeviceSettings> ExchangeEntry::*const kSettings[] = {&ExchangeEntry::received, &ExchangeEntry::before,
                                                                   &ExchangeEntry::meant, &ExchangeEntry::readBack};

QJsonValue settingsValue(const std::optional<DeviceSettings> &settings)
{
    if (!settings)
        return QJsonValue::Null;
    // As in the record: an answer with a control character stays out.
    DeviceSettings held = *settings;
    for (const QString &name : itemsWithControlCharacters(held)) {
        if (const std::optional<int> item = SettingsItems::indexOf(name))
            held.remove(*item);
    }
    return QString::fromLatin1(settingsFileBytes(held).toBase64());
}

std::optional<DeviceSettings> settingsFrom(const QJsonValue &value)
{
    if (!value.isString())
        return std::nullopt;
    return parseSettingsFile(QByteArray::fromBase64(value.toString().toLatin1())).settings;
}

QByteArray entryBytes(const ExchangeEntry &entry)
{
    QJsonObject object{{QStringLiteral("id"), entry.id.toString(QUuid::WithoutBraces)},
                       {QStringLiteral("at"), entry.when.toUTC().toString(Qt::ISODateWithMs)},
                       {QStringLiteral("user"), entry.user},
                       {QStringLiteral("machine"), entry.machine},
                       {QStringLiteral("program"), entry.program},
                       {QStringLiteral("version"), entry.version},
                       {QStringLiteral("port"), entry.port},
                       {QStringLiteral("device"), entry.device},
                       {QStringLiteral("identity"), entry.identity},
                       {QStringLiteral("model"), entry.model},
                       {QStringLiteral("channels"), entry.channels},
                       {QStringLiteral("kind"), ExchangeEntry::kindName(entry.kind)},
                       {QStringLiteral("failure"), entry.failure},
                       {QStringLiteral("seconds"), entry.seconds}};
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        object.insert(QLatin1StringView(kSettingsNames[i]), settingsValue(entry.*kSettings[i]));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<ExchangeEntry> entryFrom(const QByteArray &bytes)
{
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    ExchangeEntry entry;
    entry.id = QUuid::fromString(object.value(QStringLiteral("id")).toString());
    entry.when = QDateTime::fromString(object.value(QStringLiteral("at")).toString(), Qt::ISODateWithMs);
    const std::optional<ExchangeEntry::Kind> kind = ExchangeEntry::kindNamed(object.value(QStringLiteral("kind")).toString());
    if (entry.id.isNull() || !entry.when.isValid() || !kind)
        return std::nullopt;
    entry.kind = *kind;
    entry.user = object.value(QStringLiteral("user")).toString();
    entry.machine = object.value(QStringLiteral("machine")).toString();
    entry.program = object.value(QStringLiteral("program")).toString();
    entry.version = object.value(QStringLiteral("version")).toString();
    entry.port = object.value(QStringLiteral("port")).toString();
    entry.device = object.value(QStringLiteral("device")).toString();
    entry.identity = object.value(QStringLiteral("identity")).toString();
    entry.model = object.value(QStringLiteral("model")).toString();
    entry.channels = object.value(QStringLiteral("channels")).toInt();
    entry.failure = object.value(QStringLiteral("failure")).toString();
    entry.seconds = object.value(QStringLiteral("seconds")).toDouble();
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        entry.*kSettings[i] = settingsFrom(object.value(QLatin1StringView(kSettingsNames[i])));
    return entry;
}

// Oldest first: the names begin with the time of the exchange.
QStringList waitingFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
}

} // namespace

QString ExchangeSpool::folderFor(const QString &recordPath)
{
    return QFileInfo(recordPath).absolutePath() + QStringLiteral("/spool");
}

std::optional<QString> ExchangeSpool::keep(const QString &recordPath, const ExchangeEntry &entry, QString *reason)
{
    const QString folder = folderFor(recordPath);
    if (!files::UserDataFolder::make(folder)) {
        *reason = tr("its folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
        return std::nullopt;
    }
    // The key lies beside the record, in the folder just made where it was missing.
    const std::optional<QByteArray> key = SecretHash::keyFor(recordPath, reason);
    if (!key)
        return std::nullopt;
    ExchangeEntry hidden = entry;
    for (std::optional<DeviceSettings> ExchangeEntry::*settings : kSettings) {
        if (hidden.*settings)
            hidden.*settings = SecretHash::hidden(*key, *(hidden.*settings));
    }
    const QString path = folder + u'/' + entry.when.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz")) + u'-'
                         + entry.id.toString(QUuid::WithoutBraces) + kSuffix;
    // Written whole or not at all: a sync never meets half an entry.
    QSaveFile file(path);
    const QByteArray bytes = entryBytes(hidden);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(bytes) != bytes.size() || !file.commit()) {
        *reason = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    return path;
}

ExchangeSpool::Synced ExchangeSpool::sync(ExchangeRecord &record)
{
    Synced synced;
    const QString folder = folderFor(record.path());
    const QStringList names = waitingFiles(folder);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString path = folder + u'/' + names.at(i);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            // Another writer synced it just now.
            if (!file.exists())
                continue;
            synced.problems.append(tr("%1 cannot be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
            ++synced.left;
            continue;
        }
        std::optional<ExchangeEntry> entry = entryFrom(file.readAll());
        file.close();
        if (!entry) {
            synced.problems.append(tr("%1 is no entry of a record; it is left as it is").arg(QDir::toNativeSeparators(path)));
            ++synced.left;
            continue;
        }
        if (!record.add(*entry)) {
            synced.problems.append(record.error());
            synced.left += int(names.size() - i);
            break;
        }
        ++synced.written;
        QFile::remove(path);
    }
    return synced;
}

int ExchangeSpool::waiting(const QString &recordPath)
{
    return int(waitingFiles(folderFor(recordPath)).size());
}

} // namespace telvaro::record
