#include "link/port_names.h"
#include "record/exchange_record.h"
#include "record/exchange_spool.h"
#include "record/secret_hash.h"
#include "settings/csv_records.h"
#include "settings/settings_items.h"
#include "support/cli_session.h"
#include "support/file_mode.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace telvaro::record;
using namespace telvaro::settings;

namespace {

// The file, and its write-ahead log, as bytes: where a password in clear would show.
QByteArray bytesOfRecord(const QString &path)
{
    return readFile(path) + (QFile::exists(path + u"-wal"_s) ? readFile(path + u"-wal"_s) : QByteArray());
}

ExchangeEntry writeEntry(const QString &port)
{
    ExchangeEntry entry = ExchangeEntry::begun(ExchangeEntry::Kind::Write);
    entry.port = port;
    entry.before = settingsOf({{u"model"_s, u"GSN"_s}, {u"CALOGINPASS"_s, u"secret-login"_s}, {u"CAPOPPASS"_s, u"secret-pop"_s},
                               {u"CAFROMADDRESS"_s, u"a@example.jp"_s}});
    entry.meant = settingsOf({{u"model"_s, u"GSN"_s}, {u"CALOGINPASS"_s, u"secret-login"_s}, {u"CAPOPPASS"_s, u"new-pop"_s},
                              {u"CAFROMADDRESS"_s, u"a@example.jp"_s}});
    entry.identity = ExchangeEntry::identityOf(*entry.before);
    entry.failure = u"the write failed: 書込失敗"_s;
    return entry;
}

} // namespace

// The record of exchanges: its SQLite file, and telvaro-cli's entries in it against simulated
// loggers.
class TestRecord : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    QTemporaryDir m_files;
    QTemporaryDir m_ports; // COM1 to COM3 lead to three loggers
    std::vector<std::unique_ptr<SimulatedLoggerFixture>> m_loggers;

    QString recordPath() const { return m_files.filePath(u"record.sqlite"_s); }
    CommandRun command(const QStringList &arguments) const
    {
        return runCommand(arguments, testSessionSetup(m_folder, m_ports.path()));
    }
    QList<ExchangeEntry> entries() const
    {
        ExchangeRecord record(recordPath(), ExchangeRecord::Opening::ExistingOnly);
        const QList<ExchangeEntry> listed = record.list({});
        if (!record.error().isEmpty())
            qWarning("%s", qPrintable(record.error()));
        return listed;
    }

private slots:
    void init()
    {
        QVERIFY(m_files.isValid());
        QFile::remove(recordPath());
        QDir(recordPath()).removeRecursively();
        QDir(m_files.filePath(u"spool"_s)).removeRecursively();
        m_loggers.clear();
        for (int port = 1; port <= 3; ++port) {
            m_loggers.push_back(std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale)));
            QVERIFY2(m_loggers.back()->isValid(), qPrintable(m_loggers.back()->errorString()));
            QString error;
            QVERIFY2(PortNames::mapPort(port, m_loggers.back()->devicePath(), m_ports.path(), &error), qPrintable(error));
        }
    }

    void identity_data()
    {
        QTest::addColumn<QString>("fromAddress");
        QTest::addColumn<QString>("popId");
        QTest::addColumn<QString>("identity");
        QTest::newRow("sender address") << u"a@example.jp"_s << u"pop1"_s << u"a@example.jp"_s;
        QTest::newRow("lacked: POP user") << u"???"_s << u"pop1"_s << u"pop1"_s;
        QTest::newRow("empty: POP user") << u" "_s << u"pop1"_s << u"pop1"_s;
        QTest::newRow("none") << QString() << u"???"_s << QString();
    }
    void identity()
    {
        QFETCH(QString, fromAddress);
        QFETCH(QString, popId);
        QFETCH(QString, identity);
        QCOMPARE(ExchangeEntry::identityOf(settingsOf({{u"CAFROMADDRESS"_s, fromAddress}, {u"CAPOPID"_s, popId}})), identity);
    }

    void storage_keepsEntries_andNoPasswordInClear()
    {
        ExchangeEntry first = writeEntry(u"COM1"_s);
        ExchangeEntry second = writeEntry(u"COM2"_s);
        {
            ExchangeRecord record(recordPath());
            QVERIFY2(record.isOpen(), qPrintable(record.error()));
            QVERIFY2(record.add(first) && record.add(second), qPrintable(record.error()));
            ExchangeEntry again = first; // the same id is not added twice
            QVERIFY(record.add(again));
        }
        QCOMPARE(modeOf(SecretHash::keyPathFor(recordPath())), kOwnerOnly);
        QCOMPARE(modeOf(recordPath()), kOwnerOnly); // the settings but the passwords, its owner's alone
        const QByteArray bytes = bytesOfRecord(recordPath());
        for (const QByteArray &password : {"secret-login"_ba, "secret-pop"_ba, "new-pop"_ba})
            QVERIFY2(!bytes.contains(password), password.constData());

        ExchangeRecord record(recordPath(), ExchangeRecord::Opening::ExistingOnly);
        const QList<ExchangeEntry> listed = record.list({});
        QVERIFY2(record.error().isEmpty(), qPrintable(record.error()));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed.at(0).row, second.row); // newest first
        QVERIFY(second.row > first.row);
        QCOMPARE(record.list({u"a@example.jp"_s, u"COM1"_s, true, 0}).size(), 1);
        QCOMPARE(record.list({u"b@example.jp"_s, {}, false, 0}).size(), 0);
        const std::optional<ExchangeEntry> shown = record.entry(first.row);
        QVERIFY(shown);
        QCOMPARE(shown->id, first.id);
        QCOMPARE(shown->when, first.when.toUTC());
        QCOMPARE(shown->failure, first.failure);
        QCOMPARE(shown->before->value(u"CAFROMADDRESS"), u"a@example.jp"_s);
        // The same password hashes the same, another differently, and neither shows.
        const std::optional<QString> login = shown->before->value(u"CALOGINPASS");
        QVERIFY(SecretHash::isHashed(*login));
        QCOMPARE(shown->meant->value(u"CALOGINPASS"), login);
        QVERIFY(shown->before->value(u"CAPOPPASS") != shown->meant->value(u"CAPOPPASS"));
        QCOMPARE(record.entry(second.row + 1), std::nullopt);
    }

    void writersAtOnce_onANewFile_loseNothing()
    {
        // Each on a thread and a connection of its own, all beginning on a file none has made.
        constexpr int kWriters = 8;
        constexpr int kEach = 25;
        std::vector<std::unique_ptr<QThread>> threads;
        QAtomicInt failures = 0;
        for (int writer = 0; writer < kWriters; ++writer) {
            threads.emplace_back(QThread::create([this, writer, &failures] {
                ExchangeRecord record(recordPath());
                for (int i = 0; i < kEach; ++i) {
                    ExchangeEntry entry = writeEntry(u"COM%1"_s.arg(writer));
                    if (!record.add(entry)) {
                        qWarning("%s", qPrintable(record.error()));
                        failures.fetchAndAddRelaxed(1);
                    }
                }
            }));
        }
        for (const auto &thread : threads)
            thread->start();
        for (const auto &thread : threads)
            QVERIFY(thread->wait(60000));
        QCOMPARE(failures.loadRelaxed(), 0);
        QSet<QUuid> ids;
        for (const ExchangeEntry &entry : entries())
            ids.insert(entry.id);
        QCOMPARE(ids.size(), kWriters * kEach);

        const QString connection = u"look"_s;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
            db.setDatabaseName(recordPath());
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(u"PRAGMA journal_mode"_s) && query.next());
            QCOMPARE(query.value(0).toString(), u"wal"_s);
            QVERIFY(query.exec(u"SELECT value FROM meta WHERE key = 'schema'"_s) && query.next());
            QCOMPARE(query.value(0).toInt(), ExchangeRecord::kSchemaVersion);
        }
        QSqlDatabase::removeDatabase(connection);
    }

    void unusableFiles_areRefused_andLeftAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QString>("error");
        QTest::newRow("newer schema") << "newer"_ba << u"was made by a newer version of the program: its schema is version 2"_s;
        QTest::newRow("not a database") << "text"_ba << u"cannot be read: file is not a database"_s;
        QTest::newRow("another program's") << "other"_ba << u"cannot be used: it is another program's database"_s;
    }
    void unusableFiles_areRefused_andLeftAsTheyAre()
    {
        QFETCH(QByteArray, setup);
        QFETCH(QString, error);
        if (setup == "text") {
            writeFile(recordPath(), QByteArray(4096, 'x'));
        } else {
            const QString connection = u"setup"_s;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
                db.setDatabaseName(recordPath());
                QVERIFY(db.open());
                QSqlQuery query(db);
                QVERIFY(query.exec(u"CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"_s));
                if (setup == "newer")
                    QVERIFY(query.exec(u"INSERT INTO meta VALUES ('schema', '2')"_s));
                else
                    QVERIFY(query.exec(u"ALTER TABLE meta RENAME TO settings"_s));
                db.close();
            }
            QSqlDatabase::removeDatabase(connection);
        }
        const QByteArray before = readFile(recordPath());
        ExchangeEntry entry = writeEntry(u"COM1"_s);
        ExchangeRecord record(recordPath());
        QVERIFY(!record.isOpen());
        QVERIFY2(record.error().contains(error), qPrintable(record.error()));
        QVERIFY(record.error().contains(recordPath()));
        QVERIFY(!record.add(entry));
        QCOMPARE(readFile(recordPath()), before);
    }

    void readAndWrite_throughTheCommandLine_areRecorded()
    {
        const QString settings = writeFile(m_files.filePath(u"settings.txt"_s), "CAPOPPASS=changed-pop\r\nCATELNO=0120\r\n");
        const CommandRun read = command({u"read"_s, u"--quiet"_s, u"--record"_s, recordPath(), u"COM1"_s});
        QCOMPARE(read.exitCode, 0);
        const CommandRun write = command({u"write"_s, u"--quiet"_s, u"--record"_s, recordPath(), u"COM2"_s, settings});
        QVERIFY2(write.exitCode == 0, qPrintable(write.err));
        const CommandRun diff = command({u"diff"_s, u"--quiet"_s, u"--record"_s, recordPath(), u"COM3"_s, settings});
        QCOMPARE(diff.exitCode, 1);

        const QList<ExchangeEntry> recorded = entries();
        QCOMPARE(recorded.size(), 3);
        const ExchangeEntry &ofRead = recorded.at(2);
        QCOMPARE(ofRead.kind, ExchangeEntry::Kind::Read);
        QCOMPARE(ofRead.port, u"COM1"_s);
        QCOMPARE(ofRead.device, m_loggers.at(0)->devicePath());
        QCOMPARE(ofRead.identity, u"logger01@example.jp"_s);
        QCOMPARE(ofRead.model, u"GSN"_s);
        QVERIFY(ofRead.channels > 0);
        QVERIFY(ofRead.succeeded());
        QVERIFY(ofRead.seconds > 0);
        QVERIFY(!ofRead.user.isEmpty());
        QCOMPARE(ofRead.machine, QSysInfo::machineHostName());
        QCOMPARE(recorded.at(1).kind, ExchangeEntry::Kind::Write);
        QCOMPARE(recorded.at(0).port, u"COM3"_s);
        QVERIFY(!bytesOfRecord(recordPath()).contains("poppass01"));
        QVERIFY(!bytesOfRecord(recordPath()).contains("changed-pop"));

        ExchangeRecord record(recordPath(), ExchangeRecord::Opening::ExistingOnly);
        const std::optional<ExchangeEntry> written = record.entry(recorded.at(1).row);
        QCOMPARE(written->before->value(u"CATELNO"), m_loggers.at(0)->logger().value(u"CATELNO"_s));
        QCOMPARE(written->meant->value(u"CATELNO"), u"0120"_s);
        QCOMPARE(written->readBack->value(u"CATELNO"), u"0120"_s);
        QCOMPARE(record.entry(ofRead.row)->received->value(u"CAPOPID"), u"logger01"_s);

        // The list, newest first, and the write shown with what it changed.
        const CommandRun list = command({u"history"_s, u"--record"_s, recordPath()});
        QCOMPARE(list.exitCode, 0);
        const QStringList lines = list.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(0).contains(u"  logger01@example.jp  GSN  COM3  read  succeeded  "_s), qPrintable(list.out));
        QVERIFY2(lines.at(1).contains(u"  COM2  write  succeeded  "_s), qPrintable(list.out));
        const CommandRun json = command({u"history"_s, u"--record"_s, recordPath(), u"--port"_s, u"COM2"_s, u"--json"_s});
        const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(array.size(), 1);
        QCOMPARE(array.at(0).toObject().value(u"kind"_s).toString(), u"write"_s);
        QCOMPARE(array.at(0).toObject().value(u"number"_s).toInteger(), recorded.at(1).row);

        const CommandRun show = command({u"history"_s, u"--record"_s, recordPath(), u"show"_s, QString::number(recorded.at(1).row)});
        QCOMPARE(show.exitCode, 0);
        QVERIFY2(show.out.contains(u"Changed (2 item(s)):\n"_s), qPrintable(show.out));
        QVERIFY2(show.out.contains(u"  CAPOPPASS (POPPASS): ******** -> changed\n"_s), qPrintable(show.out));
        QVERIFY2(show.out.contains(u"CATELNO"_s) && show.out.contains(u"-> \"0120\"\n"_s), qPrintable(show.out));
        QVERIFY2(show.out.contains(u"  CALOGINPASS (LoginPass): ******** (unchanged)\n"_s)
                     && show.out.contains(u"  CAPOPPASS (POPPASS): ******** (changed)\n"_s),
                 qPrintable(show.out));
        QVERIFY2(!show.out.contains(u"hmac"_s), qPrintable(show.out));
    }

    void spool_keepsWhatTheRecordCannotTake_untilItCan_data()
    {
        QTest::addColumn<QByteArray>("inThePlace");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QStringList>("thenWritten"); // the command after the record is mended
        QTest::newRow("a folder, then history sync")
            << "folder"_ba << u"cannot be opened: it is a folder"_s << QStringList{u"history"_s, u"sync"_s};
        QTest::newRow("no database, then a read") << "text"_ba << u"cannot be read: file is not a database"_s
                                                 << QStringList{u"read"_s, u"--quiet"_s, u"COM2"_s};
    }
    void spool_keepsWhatTheRecordCannotTake_untilItCan()
    {
        QFETCH(QByteArray, inThePlace);
        QFETCH(QString, cause);
        QFETCH(QStringList, thenWritten);
        if (inThePlace == "folder")
            QVERIFY(QDir(m_files.path()).mkdir(u"record.sqlite"_s));
        else
            writeFile(recordPath(), QByteArray(4096, 'x'));
        const QByteArray before = inThePlace == "text" ? readFile(recordPath()) : QByteArray();
        const QString spool = m_files.filePath(u"spool"_s);
        QCOMPARE(ExchangeSpool::folderFor(recordPath()), spool);

        const CommandRun read = command({u"read"_s, u"--quiet"_s, u"--record"_s, recordPath(), u"COM1"_s});
        QCOMPARE(read.exitCode, 0);
        QVERIFY2(read.err.startsWith(u"telvaro-cli: the exchange was not recorded: the record "_s + recordPath() + u' ' + cause
                                     + u" (the entry is kept in "_s + spool + u'/')
                     && read.err.count(u'\n') == 1,
                 qPrintable(read.err));
        const QStringList kept = QDir(spool).entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);
        const QString keptPath = spool + u'/' + kept.first();
        QCOMPARE(modeOf(spool), std::filesystem::perms::owner_all);
        QCOMPARE(modeOf(keptPath), kOwnerOnly);
        QVERIFY(!readFile(keptPath).contains("poppass01"));
        if (inThePlace == "text")
            QCOMPARE(readFile(recordPath()), before); // never made over

        // Mended: the entry goes in once, with its passwords hashed once under the record's key.
        if (inThePlace == "folder")
            QVERIFY(QDir(recordPath()).removeRecursively());
        else
            QVERIFY(QFile::remove(recordPath()));
        const QByteArray keptBytes = readFile(keptPath);
        const CommandRun written = command(thenWritten + QStringList{u"--record"_s, recordPath()});
        QVERIFY2(written.exitCode == 0 && !written.err.contains(u"not recorded"_s), qPrintable(written.err));
        QVERIFY(QDir(spool).entryList(QDir::Files).isEmpty());
        const QList<ExchangeEntry> recorded = entries();
        QCOMPARE(recorded.size(), thenWritten.first() == u"read"_s ? 2 : 1);
        const auto kept1 = std::find_if(recorded.begin(), recorded.end(),
                                        [](const ExchangeEntry &entry) { return entry.port == u"COM1"_s; });
        QVERIFY(kept1 != recorded.end());
        const ExchangeEntry &first = *kept1;
        QCOMPARE(first.identity, u"logger01@example.jp"_s);
        ExchangeRecord record(recordPath(), ExchangeRecord::Opening::ExistingOnly);
        QString reason;
        const std::optional<QByteArray> key = SecretHash::keyFor(recordPath(), &reason);
        QVERIFY2(key, qPrintable(reason));
        QCOMPARE(record.entry(first.row)->received->value(u"CAPOPPASS"), SecretHash::hashed(*key, u"poppass01"_s));

        // The same entry kept again (a sync cut short before its file went) is not added twice.
        writeFile(keptPath, keptBytes);
        const CommandRun again = command({u"history"_s, u"sync"_s, u"--record"_s, recordPath()});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, u"1 entry(s) written to the record "_s + recordPath() + u'\n');
        QCOMPARE(entries().size(), recorded.size());
        QVERIFY(QDir(spool).entryList(QDir::Files).isEmpty());
    }

    void historySync_ofWhatCannotGoIn_data()
    {
        QTest::addColumn<QByteArray>("trouble");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("left");
        QTest::newRow("nothing waits") << QByteArray() << 0 << QString() << 0;
        QTest::newRow("no entry in the spool") << "garbage"_ba << 1 << u"is no entry of a record; it is left as it is"_s << 1;
        QTest::newRow("record still a folder") << "folder"_ba << 1 << u"it is a folder; 1 entry(s) wait in the spool"_s << 1;
    }
    void historySync_ofWhatCannotGoIn()
    {
        QFETCH(QByteArray, trouble);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(int, left);
        const QString spool = m_files.filePath(u"spool"_s);
        QVERIFY(QDir().mkpath(spool));
        if (trouble == "garbage")
            writeFile(spool + u"/20260101T000000000-x.entry"_s, "{not json");
        if (trouble == "folder") {
            QVERIFY(QDir(m_files.path()).mkdir(u"record.sqlite"_s));
            QString reason;
            QVERIFY2(ExchangeSpool::keep(recordPath(), writeEntry(u"COM1"_s), &reason), qPrintable(reason));
        }
        const CommandRun run = command({u"history"_s, u"sync"_s, u"--record"_s, recordPath()});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(ExchangeSpool::waiting(recordPath()), left);
    }

    void label_refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("control character") << QStringList{u"a@example.jp"_s, u"Tower\n1"_s} << u"a label holds no control characters"_s;
        QTest::newRow("escape") << QStringList{u"a@example.jp"_s, u"\x1b[31m"_s} << u"a label holds no control characters"_s;
        QTest::newRow("too long") << QStringList{u"a@example.jp"_s, QString(201, u'x')}
                                  << u"the label is 201 characters long; it may be 200 at most"_s;
        QTest::newRow("no identity") << QStringList{QString(), u"Tower"_s} << u"\"\" is no identity of a logger"_s;
        QTest::newRow("no label") << QStringList{u"a@example.jp"_s} << u"give an identity and a label"_s;
    }
    void label_refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const CommandRun run = command(QStringList{u"label"_s, u"--record"_s, recordPath()} + arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFile::exists(recordPath()));
    }

    void history_byLabelAndSince_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("ports"); // of the lines listed, newest first
        QTest::newRow("a label") << QStringList{u"--logger"_s, u"Tower 1"_s} << 0 << QStringList{u"COM3"_s, u"COM1"_s};
        QTest::newRow("an identity") << QStringList{u"--logger"_s, u"b@example.jp"_s} << 0 << QStringList{u"COM2"_s};
        QTest::newRow("label of another") << QStringList{u"--logger"_s, u"Tower"_s} << 0 << QStringList{};
        QTest::newRow("since a date") << QStringList{u"--since"_s, u"2026-02-01"_s} << 0 << QStringList{u"COM3"_s, u"COM2"_s};
        QTest::newRow("since a second later") << QStringList{u"--since"_s, u"2026-02-01 10:00:01"_s} << 0
                                              << QStringList{u"COM3"_s};
        QTest::newRow("since the very time") << QStringList{u"--since"_s, u"2026-03-01T00:00"_s} << 0 << QStringList{u"COM3"_s};
        QTest::newRow("since and label") << QStringList{u"--since"_s, u"2026-01-02"_s, u"--logger"_s, u"Tower 1"_s} << 0
                                         << QStringList{u"COM3"_s};
        QTest::newRow("no date") << QStringList{u"--since"_s, u"yesterday"_s} << 2 << QStringList{};
        QTest::newRow("no such day") << QStringList{u"--since"_s, u"2026-02-30"_s} << 2 << QStringList{};
    }
    void history_byLabelAndSince()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, ports);
        {
            ExchangeRecord record(recordPath());
            const QList<std::tuple<QString, QString, QDateTime>> made = {
                {u"COM1"_s, u"a@example.jp"_s, QDateTime(QDate(2026, 1, 1), QTime(10, 0))},
                {u"COM2"_s, u"b@example.jp"_s, QDateTime(QDate(2026, 2, 1), QTime(10, 0))},
                {u"COM3"_s, u"a@example.jp"_s, QDateTime(QDate(2026, 3, 1), QTime(0, 0))},
            };
            for (const auto &[port, identity, when] : made) {
                ExchangeEntry entry = writeEntry(port);
                entry.identity = identity;
                entry.when = when.toUTC();
                QVERIFY2(record.add(entry), qPrintable(record.error()));
            }
        }
        const CommandRun labelled = command({u"label"_s, u"--record"_s, recordPath(), u"a@example.jp"_s, u"Tower 1"_s});
        QVERIFY2(labelled.exitCode == 0, qPrintable(labelled.err));
        const CommandRun run = command(QStringList{u"history"_s, u"--record"_s, recordPath()} + options);
        QCOMPARE(run.exitCode, exitCode);
        QStringList listed;
        for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
            listed.append(QRegularExpression(u"  (COM\\d)  "_s).match(line).captured(1));
            if (line.contains(u"a@example.jp"_s))
                QVERIFY2(line.contains(u"  a@example.jp (Tower 1)  -  COM"_s), qPrintable(line));
        }
        QVERIFY2(listed == ports, qPrintable(run.out + run.err));
    }

    void historyExport_parsesBack_data()
    {
        QTest::addColumn<QString>("target"); // "-" for standard output
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("rows");
        QTest::newRow("a file") << u"export.csv"_s << QStringList{} << 2;
        QTest::newRow("standard output, one logger") << u"-"_s << QStringList{u"--logger"_s, u"Tower 1"_s} << 1;
    }
    void historyExport_parsesBack()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, options);
        QFETCH(int, rows);
        {
            ExchangeRecord record(recordPath());
            ExchangeEntry first = writeEntry(u"COM1"_s);
            first.failure = u"the write failed: \"x\", y\nz"_s;
            ExchangeEntry second = writeEntry(u"COM2"_s);
            second.identity = u"b@example.jp"_s;
            QVERIFY2(record.add(first) && record.add(second), qPrintable(record.error()));
            QVERIFY(record.setLabel(u"a@example.jp"_s, u"Tower 1"_s));
        }
        const QString file = target == u"-"_s ? target : m_files.filePath(target);
        const CommandRun run =
            command(QStringList{u"history"_s, u"export"_s, u"--record"_s, recordPath(), u"--csv"_s, file} + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString text = target == u"-"_s ? run.out : QString::fromUtf8(readFile(file));
        if (target != u"-"_s)
            QCOMPARE(modeOf(file), kOwnerOnly);
        const CsvContents csv = parseCsv(text);
        QVERIFY(csv.errors.isEmpty());
        QCOMPARE(csv.records.size(), rows + 1);
        QStringList header;
        for (const CsvField &field : csv.records.first().fields)
            header.append(field.text);
        const auto column = [&](int row, const QString &name) {
            return csv.records.at(row).fields.value(header.indexOf(name)).text;
        };
        QVERIFY2(header.startsWith(u"number"_s) && header.contains(u"CAPOPPASS"_s), qPrintable(header.join(u',')));
        const int last = int(csv.records.size()) - 1; // the oldest: the first entry
        QCOMPARE(column(last, u"port"_s), u"COM1"_s);
        QCOMPARE(column(last, u"label"_s), u"Tower 1"_s);
        QCOMPARE(column(last, u"failure"_s), u"the write failed: \"x\", y\nz"_s);
        QCOMPARE(column(last, u"CAPOPPASS"_s), u"********"_s);
        QCOMPARE(column(last, u"CAFROMADDRESS"_s), u"a@example.jp"_s);
        for (const CsvRecord &record : csv.records)
            QCOMPARE(record.fields.size(), header.size());
        QVERIFY(!text.contains(u"hmac"_s) && !text.contains(u"new-pop"_s));
    }

    void history_ofWhatIsNotThere_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("no record yet") << QStringList{} << 0 << QString();
        QTest::newRow("no such number") << QStringList{u"show"_s, u"7"_s} << 2 << u"history: no exchange number 7 in the record"_s;
        QTest::newRow("no number") << QStringList{u"show"_s, u"x"_s} << 2 << u"\"x\" is no exchange number"_s;
        QTest::newRow("other words") << QStringList{u"list"_s} << 2 << u"the only arguments taken are \"show N\""_s;
    }
    void history_ofWhatIsNotThere()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const CommandRun run = command(QStringList{u"history"_s, u"--record"_s, recordPath()} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(recordPath())); // a look makes nothing
    }

    void noRecord_andARecordThatFails_costNothing_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("said");
        QTest::newRow("--no-record") << QStringList{u"--no-record"_s, u"--record"_s, u"@record"_s} << QString();
        QTest::newRow("a folder") << QStringList{u"--record"_s, u"@folder"_s}
                                  << u"telvaro-cli: the exchange was not recorded: the record @folder cannot be opened: it is a folder "
                                     "(the entry is kept in @spool/"_s;
        QTest::newRow("no folder") << QStringList{u"--record"_s, u"@missing"_s}
                                   << u"telvaro-cli: the exchange was not recorded: the record @missing cannot be made: "_s;
    }
    void noRecord_andARecordThatFails_costNothing()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, said);
        QVERIFY(QDir(m_files.path()).mkpath(u"folder"_s));
        const QMap<QString, QString> places{{u"@record"_s, recordPath()},
                                            {u"@folder"_s, m_files.filePath(u"folder"_s)},
                                            {u"@spool"_s, m_files.filePath(u"spool"_s)},
                                            {u"@missing"_s, m_files.filePath(u"none/record.sqlite"_s)}};
        for (QString &option : options)
            option = places.value(option, option);
        for (auto it = places.begin(); it != places.end(); ++it)
            said.replace(it.key(), it.value());
        const CommandRun read = command(QStringList{u"read"_s, u"--quiet"_s} + options + QStringList{u"COM1"_s});
        QCOMPARE(read.exitCode, 0);
        QVERIFY2(read.out.contains(u"CAPOPID=logger01"_s), qPrintable(read.out));
        if (said.isEmpty())
            QVERIFY2(read.err.isEmpty(), qPrintable(read.err));
        else
            QVERIFY2(read.err.startsWith(said) && read.err.count(u'\n') == 1, qPrintable(read.err));
        QVERIFY(!QFile::exists(recordPath()));
    }

    void provision_ofThreeLoggers_recordsEachOnce()
    {
        const QString settings = writeFile(m_files.filePath(u"template.txt"_s), "CATELNO=0120\r\n");
        const CommandRun run = command({u"provision"_s, settings, u"--port"_s, u"COM1"_s, u"--port"_s, u"COM2"_s,
                                        u"--port"_s, u"COM3"_s, u"--record"_s, recordPath()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(!run.err.contains(u"not recorded"_s), qPrintable(run.err));
        QStringList ports;
        QSet<QUuid> ids;
        for (const ExchangeEntry &entry : entries()) {
            QVERIFY2(entry.succeeded() && entry.kind == ExchangeEntry::Kind::Write, qPrintable(entry.failure));
            ports.append(entry.port);
            ids.insert(entry.id);
        }
        ports.sort();
        QCOMPARE(ports, (QStringList{u"COM1"_s, u"COM2"_s, u"COM3"_s}));
        QCOMPARE(ids.size(), 3);

        // A record that cannot be written: the loggers are provisioned all the same, and it is said once.
        QVERIFY(QFile::remove(recordPath()));
        QVERIFY(QDir(m_files.path()).mkdir(u"record.sqlite"_s));
        const CommandRun unrecorded = command({u"provision"_s, settings, u"--port"_s, u"COM1"_s, u"--port"_s, u"COM2"_s,
                                               u"--port"_s, u"COM3"_s, u"--record"_s, recordPath()});
        QVERIFY2(unrecorded.exitCode == 0, qPrintable(unrecorded.err));
        QCOMPARE(unrecorded.out.count(u"  yes  "_s), 3); // every logger written and verified
        QCOMPARE(unrecorded.err.count(u"the exchange was not recorded: the record "_s + recordPath() + u" cannot be opened: it is a folder (the entry is kept in "_s), 1);
        QCOMPARE(unrecorded.err.count(u"not recorded"_s), 1);
        // Each logger's entry waits in the spool, and goes in once when the record can be written again.
        QCOMPARE(ExchangeSpool::waiting(recordPath()), 3);
        QVERIFY(QDir(recordPath()).removeRecursively());
        const CommandRun synced = command({u"history"_s, u"sync"_s, u"--record"_s, recordPath()});
        QVERIFY2(synced.exitCode == 0, qPrintable(synced.err));
        QCOMPARE(entries().size(), 3);
        QCOMPARE(ExchangeSpool::waiting(recordPath()), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
