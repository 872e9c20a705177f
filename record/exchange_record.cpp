#include "record/exchange_record.h"

#include "files/user_data_folder.h"
#include "record/secret_hash.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace telvaro::record {

using namespace telvaro::settings;

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

// Statements of the first schema: entries keep their row forever (AUTOINCREMENT never gives a
// number again), so "history show N" means the same entry tomorrow.
const char *const kSchema[] = {
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE exchanges ("
    " row INTEGER PRIMARY KEY AUTOINCREMENT, id TEXT NOT NULL UNIQUE, at TEXT NOT NULL,"
    " user TEXT NOT NULL, machine TEXT NOT NULL, program TEXT NOT NULL, version TEXT NOT NULL,"
    " port TEXT NOT NULL, device TEXT NOT NULL, identity TEXT NOT NULL, model TEXT NOT NULL,"
    " channels INTEGER NOT NULL, kind TEXT NOT NULL, failure TEXT NOT NULL, seconds REAL NOT NULL,"
    " received BLOB, before BLOB, meant BLOB, read_back BLOB)",
    "CREATE INDEX exchanges_by_identity ON exchanges (identity, row)",
    "CREATE INDEX exchanges_by_port ON exchanges (port, row)",
};

const QString kColumns = QStringLiteral("row, id, at, user, machine, program, version, port, device, identity, model, "
                                        "channels, kind, failure, seconds");

// SQLite's own words ("database is locked", "file is not a database"), without Qt's
// "Unable to execute statement" after them.
QString causeOf(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QVariant settingsBytes(const std::optional<DeviceSettings> &settings)
{
    if (!settings)
        return QVariant(QMetaType(QMetaType::QByteArray));
    // A value no settings file can hold (a control character in an answer) stays out.
    DeviceSettings held = *settings;
    for (const QString &name : itemsWithControlCharacters(held)) {
        if (const std::optional<int> item = SettingsItems::indexOf(name))
            held.remove(*item);
    }
    return settingsFileBytes(held);
}

std::optional<DeviceSettings> settingsOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return parseSettingsFile(value.toByteArray()).settings;
}

ExchangeEntry entryOf(const QSqlQuery &query)
{
    ExchangeEntry entry;
    entry.row = query.value(0).toLongLong();
    entry.id = QUuid::fromString(query.value(1).toString());
    entry.when = QDateTime::fromString(query.value(2).toString(), Qt::ISODateWithMs);
    entry.user = query.value(3).toString();
    entry.machine = query.value(4).toString();
    entry.program = query.value(5).toString();
    entry.version = query.value(6).toString();
    entry.port = query.value(7).toString();
    entry.device = query.value(8).toString();
    entry.identity = query.value(9).toString();
    entry.model = query.value(10).toString();
    entry.channels = query.value(11).toInt();
    entry.kind = ExchangeEntry::kindNamed(query.value(12).toString()).value_or(ExchangeEntry::Kind::Read);
    entry.failure = query.value(13).toString();
    entry.seconds = query.value(14).toDouble();
    return entry;
}

} // namespace

QString ExchangeRecord::defaultPath()
{
    return files::UserDataFolder::path() + QStringLiteral("/record.sqlite");
}

QString ExchangeRecord::configuredPath()
{
    const QString named = qEnvironmentVariable("TELVARO_RECORD");
    return named.isEmpty() ? defaultPath() : named;
}

ExchangeRecord::ExchangeRecord(const QString &path, Opening opening)
    : m_path(path)
    , m_connection(QStringLiteral("telvaro-record-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!open(opening))
        QSqlDatabase::removeDatabase(m_connection);
}

ExchangeRecord::~ExchangeRecord()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QString ExchangeRecord::failed(const QString &what, const QString &why)
{
    m_error = tr("the record %1 %2: %3").arg(QDir::toNativeSeparators(m_path), what, why);
    return m_error;
}

bool ExchangeRecord::open(Opening opening)
{
    const QFileInfo file(m_path);
    if (opening == Opening::ExistingOnly && !file.exists()) {
        m_empty = true;
        return false;
    }
    if (opening == Opening::CreateIfMissing && !file.exists()
        && QDir::cleanPath(file.absolutePath()) == QDir::cleanPath(files::UserDataFolder::path())
        && !files::UserDataFolder::make()) {
        failed(tr("cannot be made"), tr("its folder cannot be made"));
        return false;
    }
    if (file.isDir()) {
        failed(tr("cannot be opened"), tr("it is a folder"));
        return false;
    }
    // It holds every setting but the passwords: a new record is its owner's alone, wherever it is
    // (SQLite gives its journal files the record's own mode).
    if (opening == Opening::CreateIfMissing && !file.exists()) {
        QFile made(m_path);
        if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)
            && !QFileInfo::exists(m_path)) {
            failed(tr("cannot be made"), made.errorString());
            return false;
        }
    }
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        failed(tr("cannot be opened"), tr("Qt's SQLite driver is not installed (Debian: libqt6sql6-sqlite)"));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connection);
    db.setDatabaseName(m_path);
    // Never read-only, even for a look: SQLite reads a record in WAL mode read-only only where
    // its shared-memory file is there already.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds));
    if (!db.open()) {
        failed(tr("cannot be opened"), causeOf(db.lastError()));
        return false;
    }
    return prepareSchema(opening);
}

bool ExchangeRecord::prepareSchema(Opening opening)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    // The version is looked at, and the schema made, in one transaction that holds the write
    // lock: of programs starting at once on a new file, one makes it and the others find it.
    const bool readOnly = opening == Opening::ExistingOnly;
    if (!query.exec(readOnly ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))) {
        failed(tr("cannot be read"), causeOf(query.lastError()));
        return false;
    }
    const auto rollBack = [&db] { QSqlQuery(db).exec(QStringLiteral("ROLLBACK")); };
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'meta'"))
        || !query.next()) {
        failed(tr("cannot be read"), causeOf(query.lastError()));
        rollBack();
        return false;
    }
    const bool made = query.value(0).toInt() > 0;
    if (made) {
        if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema'")) || !query.next()) {
            failed(tr("cannot be read"), tr("it holds no schema version"));
            rollBack();
            return false;
        }
        const int version = query.value(0).toInt();
        if (version > kSchemaVersion) {
            failed(tr("was made by a newer version of the program"),
                   tr("its schema is version %1 and this program knows up to %2; it is left as it is")
                       .arg(version)
                       .arg(kSchemaVersion));
            rollBack();
            return false;
        }
    } else if (readOnly) {
        failed(tr("cannot be read"), tr("it is no record of exchanges"));
        rollBack();
        return false;
    } else {
        // A file that holds tables of something else is not made a record.
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()
            || query.value(0).toInt() > 0) {
            failed(tr("cannot be used"), query.lastError().isValid() ? causeOf(query.lastError())
                                                                      : tr("it is another program's database"));
            rollBack();
            return false;
        }
        for (const char *statement : kSchema) {
            if (!query.exec(QString::fromLatin1(statement))) {
                failed(tr("cannot be made"), causeOf(query.lastError()));
                rollBack();
                return false;
            }
        }
        query.prepare(QStringLiteral("INSERT INTO meta (key, value) VALUES ('schema', ?)"));
        query.addBindValue(QString::number(kSchemaVersion));
        if (!query.exec()) {
            failed(tr("cannot be made"), causeOf(query.lastError()));
            rollBack();
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        failed(tr("cannot be made"), causeOf(query.lastError()));
        rollBack();
        return false;
    }
    // Readers never wait for writers, and writers only for each other. A mode another
    // connection keeps from changing just now is changed by a later writer.
    if (!readOnly)
        query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    return true;
}

bool ExchangeRecord::add(ExchangeEntry &entry)
{
    if (!isOpen())
        return false;
    if (m_key.isEmpty()) {
        QString reason;
        const std::optional<QByteArray> key = SecretHash::keyFor(m_path, &reason);
        if (!key) {
            failed(tr("cannot be written"), reason);
            return false;
        }
        m_key = *key;
    }
    const auto hidden = [this](const std::optional<DeviceSettings> &settings) {
        return settings ? std::optional(SecretHash::hidden(m_key, *settings)) : std::nullopt;
    };
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // Qt binds an empty text as NULL at times: the texts are made '' again. Only a repeated id
    // is let pass; any other constraint a row breaks is an error.
    query.prepare(QStringLiteral("INSERT INTO exchanges (id, at, user, machine, program, version, port, device, "
                                 "identity, model, channels, kind, failure, seconds, received, before, meant, read_back) "
                                 "VALUES (?, ?, coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), "
                                 "coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), ?, ?, "
                                 "coalesce(?, ''), ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING"));
    query.addBindValue(entry.id.toString(QUuid::WithoutBraces));
    query.addBindValue(entry.when.toUTC().toString(Qt::ISODateWithMs));
    for (const QString *text : {&entry.user, &entry.machine, &entry.program, &entry.version, &entry.port,
                                &entry.device, &entry.identity, &entry.model})
        query.addBindValue(*text);
    query.addBindValue(entry.channels);
    query.addBindValue(ExchangeEntry::kindName(entry.kind));
    query.addBindValue(entry.failure);
    query.addBindValue(entry.seconds);
    for (const std::optional<DeviceSettings> *settings : {&entry.received, &entry.before, &entry.meant, &entry.readBack})
        query.addBindValue(settingsBytes(hidden(*settings)));
    if (!query.exec()) {
        failed(tr("cannot be written"), causeOf(query.lastError()));
        return false;
    }
    query.prepare(QStringLiteral("SELECT row FROM exchanges WHERE id = ?"));
    query.addBindValue(entry.id.toString(QUuid::WithoutBraces));
    if (query.exec() && query.next())
        entry.row = query.value(0).toLongLong();
    return true;
}

QList<ExchangeEntry> ExchangeRecord::list(const Filter &filter)
{
    QList<ExchangeEntry> entries;
    if (!isOpen())
        return entries;
    QStringList conditions;
    QVariantList values;
    if (!filter.logger.isEmpty()) {
        // An identity, or the label given to one.
        if (hasLabels()) {
            conditions.append(QStringLiteral("(identity = ? OR identity IN (SELECT identity FROM labels WHERE label = ?))"));
            values += {filter.logger, filter.logger};
        } else {
            conditions.append(QStringLiteral("identity = ?"));
            values.append(filter.logger);
        }
    }
    if (filter.since.isValid()) {
        // The times are kept as UTC in one ISO form, which sorts as the times do.
        conditions.append(QStringLiteral("at >= ?"));
        values.append(filter.since.toUTC().toString(Qt::ISODateWithMs));
    }
    if (!filter.port.isEmpty()) {
        conditions.append(QStringLiteral("(port = ? OR device = ?)"));
        values += {filter.port, filter.port};
    }
    if (filter.failedOnly)
        conditions.append(QStringLiteral("failure <> ''"));
    QString statement = QStringLiteral("SELECT %1 FROM exchanges").arg(kColumns);
    if (!conditions.isEmpty())
        statement += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    statement += QStringLiteral(" ORDER BY row DESC");
    if (filter.limit > 0)
        statement += QStringLiteral(" LIMIT %1").arg(filter.limit);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        failed(tr("cannot be read"), causeOf(query.lastError()));
        return entries;
    }
    while (query.next())
        entries.append(entryOf(query));
    return entries;
}

std::optional<ExchangeEntry> ExchangeRecord::entry(qint64 row)
{
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT %1, received, before, meant, read_back FROM exchanges WHERE row = ?").arg(kColumns));
    query.addBindValue(row);
    if (!query.exec()) {
        failed(tr("cannot be read"), causeOf(query.lastError()));
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    ExchangeEntry entry = entryOf(query);
    entry.received = settingsOf(query.value(15));
    entry.before = settingsOf(query.value(16));
    entry.meant = settingsOf(query.value(17));
    entry.readBack = settingsOf(query.value(18));
    return entry;
}

bool ExchangeRecord::hasLabels()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    return query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'labels'"))
           && query.next() && query.value(0).toInt() > 0;
}

bool ExchangeRecord::setLabel(const QString &identity, const QString &label)
{
    if (!isOpen())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // A table of its own, made on first use: a record without labels is as the first schema made it.
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS labels (identity TEXT PRIMARY KEY, label TEXT NOT NULL)"))) {
        failed(tr("cannot be written"), causeOf(query.lastError()));
        return false;
    }
    if (label.isEmpty()) {
        query.prepare(QStringLiteral("DELETE FROM labels WHERE identity = ?"));
        query.addBindValue(identity);
    } else {
        query.prepare(QStringLiteral("INSERT INTO labels (identity, label) VALUES (?, ?) "
                                     "ON CONFLICT (identity) DO UPDATE SET label = excluded.label"));
        query.addBindValue(identity);
        query.addBindValue(label);
    }
    if (!query.exec()) {
        failed(tr("cannot be written"), causeOf(query.lastError()));
        return false;
    }
    return true;
}

QHash<QString, QString> ExchangeRecord::labels()
{
    QHash<QString, QString> labels;
    if (!isOpen() || !hasLabels())
        return labels;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT identity, label FROM labels"))) {
        failed(tr("cannot be read"), causeOf(query.lastError()));
        return labels;
    }
    while (query.next())
        labels.insert(query.value(0).toString(), query.value(1).toString());
    return labels;
}

} // namespace telvaro::record
