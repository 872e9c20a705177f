#include "settings/settings_file.h"
#include "support/cli_session.h"
#include "support/file_mode.h"
#include "link/port_names.h"
#include "support/pty_peer.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QTest>

using namespace Qt::StringLiterals;

// The logger commands of telvaro-cli run inside the test, at the tests' pace, against simulated
// loggers on pseudo-terminals: what they say and their exit status.
class TestCliCommands : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    QTemporaryDir m_ports; // where COM1 and COM2 lead to two loggers, COM3 to a silent line
    std::unique_ptr<SimulatedLoggerFixture> m_second;
    std::unique_ptr<PtyPeer> m_silent;
    QTemporaryDir m_files;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;

    QString file(const QString &name, const QByteArray &bytes) const
    {
        return writeFile(m_files.filePath(name), bytes);
    }
    CommandRun command(const QStringList &arguments) const
    {
        return runCommand(arguments, testSessionSetup(m_folder, m_logger->portsFolder()));
    }
    CommandRun provision(const QStringList &arguments) const
    {
        return runCommand(QStringList{u"provision"_s} + arguments, testSessionSetup(m_folder, m_ports.path()));
    }

private slots:
    void init()
    {
        m_logger = std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale));
        QVERIFY2(m_logger->isValid(), qPrintable(m_logger->errorString()));
        m_second = std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale));
        QVERIFY2(m_second->isValid(), qPrintable(m_second->errorString()));
        m_silent = std::make_unique<PtyPeer>();
        QVERIFY(m_silent->isValid());
        QString error;
        QVERIFY2(PortNames::mapPort(1, m_logger->devicePath(), m_ports.path(), &error)
                     && PortNames::mapPort(2, m_second->devicePath(), m_ports.path(), &error)
                     && m_silent->mapAsPort(m_ports.path(), 3),
                 qPrintable(error));
    }

    void read_intoAFile_ownerOnly_andQuiet()
    {
        const QString path = m_files.filePath(u"read.txt"_s);
        const CommandRun run = command({u"read"_s, u"--quiet"_s, u"-o"_s, path, m_logger->devicePath()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QString());
        SettingsFileContents read;
        QString reason;
        QVERIFY2(readSettingsFile(path, &read, &reason), qPrintable(reason));
        QCOMPARE(*read.settings.value(u"CAPOPPASS"), m_logger->logger().value(u"CAPOPPASS"_s));
        QCOMPARE(modeOf(path), kOwnerOnly);
    }

    void diff_ofALoggerAndAFile_comparesTheItemsTheFileGives()
    {
        QCOMPARE(command({u"diff"_s, u"COM1"_s, file(u"same.txt"_s, "model=GSN\nCAPOPID=logger01\n")}).exitCode, 0);
        // No model in the file: rows and elements go by the logger's.
        const QString other = file(u"other.txt"_s, "mode2=004\nCAPOPID=unit7\nCAPOPPASS=poppass01\n");
        const CommandRun differs = command({u"diff"_s, u"--quiet"_s, u"COM1"_s, other});
        QCOMPARE(differs.exitCode, 1);
        QCOMPARE(differs.out, u"< COM1\n> %1\nmode2 (要素名 3)\n  < \"電圧 (003)\"\n  > \"電流 (004)\"\n"
                              "CAPOPID (POPID)\n  < \"logger01\"\n  > \"unit7\"\n"_s.arg(other));
        QCOMPARE(differs.err, u"2 item(s) differ\n"_s);
        QVERIFY(!m_logger->heardAWrite());
    }

    void write_ofAnotherModelsChannelItems_isRefused_withNothingWritten()
    {
        const CommandRun run = command({u"write"_s, u"--quiet"_s, u"com1"_s, file(u"qan.txt"_s, "model=QAN\nmode0=001\nCAPOPID=unit7\n")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, u"COM1: the settings are for model QAN and this logger is a GSN: their channel items (mode, "
                          "ALARM) would set other channels here; nothing was written\n"_s);
        QVERIFY(!m_logger->heardAWrite());
    }

    void provision_ofThreeLoggersWithOneSilent_writesTheOthers_andRecordsWhich()
    {
        const QString units = file(u"units.csv"_s, "port,CAPOPID,CAPOPPASS\r\ncom1,unit1,pw1\r\nCOM2,unit2,pw2\r\nCom3,unit3,pw3\r\n");
        const QString report = m_files.filePath(u"report.json"_s);
        const QString logs = m_files.filePath(u"logs"_s);
        const CommandRun run = provision({file(u"template.txt"_s, "model=GSN\nCAAPN=apn.example.jp\n"), u"--units"_s, units,
                                          u"--report"_s, report, u"--log-dir"_s, logs});
        QCOMPARE(run.exitCode, 1);
        const QStringList table = run.out.split(u'\n');
        QCOMPARE(table.value(0), u"PORT  MODEL  CHANGED  VERIFIED  SECONDS  ERROR"_s);
        QVERIFY2(table.value(1).startsWith(u"COM1  GSN          3  yes   "_s), qPrintable(run.out));
        QVERIFY2(table.value(2).startsWith(u"COM2  GSN          3  yes   "_s), qPrintable(run.out));
        QVERIFY2(table.value(3).contains(u"  the read failed: The logger did not answer \"CONNECT\""_s), qPrintable(run.out));
        QCOMPARE(m_logger->logger().value(u"CAPOPID"_s), u"unit1"_s);
        QCOMPARE(m_second->logger().value(u"CAPOPPASS"_s), u"pw2"_s);
        QCOMPARE(m_second->logger().value(u"CAAPN"_s), u"apn.example.jp"_s);
        // A line per logger on standard error, ending with its last word.
        QVERIFY2(run.err.contains(u"COM1: written and verified, 3 item(s) changed ("_s), qPrintable(run.err));
        QVERIFY2(run.err.contains(u"COM3: レスポンスタイムアウト"_s), qPrintable(run.err));
        // Each exchange's last status text comes with all its lines answered.
        QCOMPARE(run.err.count(u"COM2: 読込完了 72/72\n"_s), 2);
        QVERIFY2(run.err.contains(u"COM2: 書込完了 88/88\n"_s), qPrintable(run.err));

        QCOMPARE(modeOf(report), kOwnerOnly);
        QFile json(report);
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonObject record = QJsonDocument::fromJson(json.readAll()).object();
        QCOMPARE(record.value(u"succeeded"_s), QJsonValue(false));
        const QJsonArray loggers = record.value(u"loggers"_s).toArray();
        QCOMPARE(loggers.at(0).toObject().value(u"verification"_s).toString(), u"verified"_s);
        QCOMPARE(loggers.at(1).toObject().value(u"after"_s).toObject().value(u"CAPOPPASS"_s).toString(), u"********"_s);
        QCOMPARE(loggers.at(2).toObject().value(u"port"_s).toString(), u"COM3"_s);
        QCOMPARE(loggers.at(2).toObject().value(u"verification"_s).toString(), u"not reached"_s);

        const QByteArray logged = readFile(QDir(logs).filePath(u"COM2.log"_s));
        QVERIFY(logged.contains("CAPOPPASS=********"));
        QVERIFY(!logged.contains("pw2"));
        QVERIFY(QFileInfo::exists(QDir(logs).filePath(u"COM3.log"_s)));
    }

    void provision_ofAWriteCutShort_saysHowFarItGot_data()
    {
        QTest::addColumn<QByteArray>("unanswered"); // the logger answers no line holding this
        QTest::addColumn<int>("hangUpAfter");       // it hangs up after this many commands of the session
        QTest::addColumn<QString>("error");         // in the table, in the live line and in the report
        QTest::addColumn<QString>("state");
        QTest::addColumn<QStringList>("files");     // lines acknowledged of each script file, from the report
        QTest::newRow("silent on a line of the last file")
            << QByteArray("CAPOPID=") << 0
            << u"partly written: Arm.eep 40/40, mail.eep 12/12, ArmNet.eep 24/24, Mmail.eep 3/12; the write failed: "
               "The logger did not answer \"CAPOPID=unit7\""_s
            << u"partly written"_s << QStringList{u"Arm.eep 40/40"_s, u"mail.eep 12/12"_s, u"ArmNet.eep 24/24"_s, u"Mmail.eep 3/12"_s};
        // 76 commands of the read ("CAON" to "CAOFF"), "CAON", then ten lines of Arm.eep.
        QTest::newRow("hung up in the first file")
            << QByteArray() << 87
            << u"partly written: Arm.eep 10/40; the write failed: The logger did not answer \"ALARM6=-10.0\""_s
            << u"partly written"_s << QStringList{u"Arm.eep 10/40"_s, u"mail.eep 0/12"_s, u"ArmNet.eep 0/24"_s, u"Mmail.eep 0/12"_s};
        // Nothing acknowledged: the logger holds its settings as they were.
        QTest::newRow("silent on the first line")
            << QByteArray("mode0=") << 0 << u"failed: the write failed: The logger did not answer \"mode0=001\""_s
            << u"untouched"_s << QStringList();
    }

    void provision_ofAWriteCutShort_saysHowFarItGot()
    {
        QFETCH(QByteArray, unanswered);
        QFETCH(int, hangUpAfter);
        QFETCH(QString, error);
        QFETCH(QString, state);
        QFETCH(QStringList, files);
        SimulatedLoggerFixture logger(
            SimulatedLoggerOptions{.dropRepliesContaining = unanswered, .hangUpAfterCommands = hangUpAfter}.scaled(kTestTimeScale));
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        QString mapped;
        QVERIFY2(PortNames::mapPort(4, logger.devicePath(), m_ports.path(), &mapped), qPrintable(mapped));
        const QString report = m_files.filePath(u"cut-short.json"_s);
        const CommandRun run = provision({file(u"template.txt"_s, "CAPOPID=unit7\n"), u"--port"_s, u"COM4"_s, u"--report"_s, report});

        QCOMPARE(run.exitCode, 1);
        // The live line's last word and the table's error column begin alike; only a logger left
        // as it was is said to have failed.
        const QString tableError = error.startsWith(u"failed: ") ? error.mid(8) : error;
        const QString row = run.out.section(u'\n', 1, 1);
        QVERIFY2(row.startsWith(u"COM4  GSN          -  -  "_s) && row.contains(u"  "_s + tableError), qPrintable(run.out));
        QVERIFY2(run.err.contains(u"COM4: "_s + error), qPrintable(run.err));

        QFile json(report);
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonObject logged = QJsonDocument::fromJson(json.readAll()).object().value(u"loggers"_s).toArray().at(0).toObject();
        QCOMPARE(logged.value(u"state"_s).toString(), state);
        QVERIFY2(logged.value(u"error"_s).toString().startsWith(tableError), qPrintable(logged.value(u"error"_s).toString()));
        QCOMPARE(logged.value(u"interrupted"_s), QJsonValue(false));
        QStringList acknowledged;
        for (const QJsonValue &block : logged.value(u"partlyWritten"_s).toArray()) {
            acknowledged.append(u"%1 %2/%3"_s.arg(block[u"file"].toString()).arg(block[u"acknowledged"].toInt())
                                    .arg(block[u"lines"].toInt()));
        }
        QCOMPARE(acknowledged, files);
    }

    void provision_refusesWhatDoesNotAddUp_beforeAnythingIsSent_data()
    {
        QTest::addColumn<QByteArray>("units");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing value") << QByteArray("port,CAPOPID,CATELNO\nCOM1,unit1,0120\nCOM2,,0120\n") << QStringList()
                                       << u"line 3, column 2 (CAPOPID): no value"_s;
        QTest::newRow("unknown item") << QByteArray("port,CAPOPIDX\nCOM1,unit1\n") << QStringList()
                                      << u"line 1, column 2 (CAPOPIDX): unknown item \"CAPOPIDX\""_s;
        QTest::newRow("row without --port") << QByteArray("port,CAPOPID\nCOM1,unit1\nCOM2,unit2\n") << QStringList{u"COM1"_s}
                                            << u"line 3: the port COM2 is not given with --port"_s;
        QTest::newRow("--port without row") << QByteArray("port,CAPOPID\nCOM1,unit1\n") << QStringList{u"COM1"_s, u"COM2"_s}
                                            << u"no row for the port COM2"_s;
        QTest::newRow("one logger twice") << QByteArray("port,CAPOPID\nCOM1,unit1\n")
                                          << QStringList{u"com1"_s, u"@COM1"_s} << u"COM1 and /dev/"_s;
    }

    void provision_refusesWhatDoesNotAddUp_beforeAnythingIsSent()
    {
        QFETCH(QByteArray, units);
        QFETCH(QStringList, ports);
        QFETCH(QString, message);
        QStringList arguments{file(u"template.txt"_s, "CAAPN=apn.example.jp\n"), u"--units"_s, file(u"units.csv"_s, units)};
        // "@COM1": the device itself.
        for (const QString &port : ports)
            arguments += {u"--port"_s, port == u"@COM1" ? m_logger->devicePath() : port};
        const CommandRun run = provision(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(m_logger->logger().receivedLines(), QList<QByteArray>());
        QCOMPARE(m_second->logger().receivedLines(), QList<QByteArray>());
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
