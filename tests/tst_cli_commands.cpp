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
    // The arguments with "@name" turned into a path: @device the first logger's device, @dotted
    // the same spelled with "/./", @link a link to it (made by init()), @folder a folder, @file and @units files
    // of the test, @missing a path in no folder; anything else as it is.
    QStringList placed(const QStringList &arguments) const
    {
        const QString device = m_logger->devicePath();
        const QMap<QString, QString> places{
            {u"@device"_s, device},
            {u"@dotted"_s, QString(device).replace(u"/dev/"_s, u"/dev/./"_s)},
            {u"@link"_s, m_files.filePath(u"logger-link"_s)},
            {u"@folder"_s, m_files.path()},
            {u"@file"_s, m_files.filePath(u"template.txt"_s)},
            {u"@units"_s, m_files.filePath(u"units.csv"_s)},
            {u"@missing"_s, m_files.filePath(u"none/out.txt"_s)}};
        QStringList resolved;
        for (const QString &argument : arguments)
            resolved.append(places.value(argument, argument));
        return resolved;
    }
    bool anyLoggerHeardSomething() const
    {
        return !m_logger->logger().receivedLines().isEmpty() || !m_second->logger().receivedLines().isEmpty();
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
        // Made afresh: an earlier logger's device may by now be another test's pseudo-terminal.
        QFile::remove(m_files.filePath(u"logger-link"_s));
        QVERIFY(QFile::link(m_logger->devicePath(), m_files.filePath(u"logger-link"_s)));
        QString error;
        QVERIFY2(PortNames::mapPort(1, m_logger->devicePath(), m_ports.path(), &error)
                     && PortNames::mapPort(2, m_second->devicePath(), m_ports.path(), &error)
                     && m_silent->mapAsPort(m_ports.path(), 3),
                 qPrintable(error));
    }

    void read_intoAFile_ownerOnly_andQuiet()
    {
        // A new file, then the same file replaced after everybody was let read it.
        const QString path = m_files.filePath(u"read.txt"_s);
        for (const bool existing : {false, true}) {
            if (existing)
                QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
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
        // An earlier report and log that anybody could read: passwords may go into them.
        writeFile(report, "{}");
        QVERIFY(QDir().mkpath(logs));
        writeFile(QDir(logs).filePath(u"COM2.log"_s), "old");
        for (const QString &earlier : {report, QDir(logs).filePath(u"COM2.log"_s)})
            QVERIFY(QFile::setPermissions(earlier, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        const CommandRun run = provision({file(u"template.txt"_s, "model=GSN\nCAAPN=apn.example.jp\nALARM30=1\n"), u"--units"_s, units,
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
        // What the loggers of one model share is said once.
        QCOMPARE(run.err.count(u"ALARM30 is the limit of no channel"_s), 1);
        QVERIFY2(run.err.contains(u"COM1, COM2: ALARM30 is the limit of no channel"_s), qPrintable(run.err));
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

        QCOMPARE(modeOf(QDir(logs).filePath(u"COM2.log"_s)), kOwnerOnly);
        QCOMPARE(modeOf(QDir(logs).filePath(u"COM1.log"_s)), kOwnerOnly);
        const QByteArray logged = readFile(QDir(logs).filePath(u"COM2.log"_s));
        QVERIFY(logged.contains("CAPOPPASS=********"));
        QVERIFY(!logged.contains("pw2"));
        QVERIFY(QFileInfo::exists(QDir(logs).filePath(u"COM3.log"_s)));
    }

    void badPorts_areRefused_beforeAnythingIsSent_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("unitsMessage"); // where the units file says it otherwise
        QTest::newRow("empty") << QStringList{QString()} << u"a port is empty"_s << u"units.csv: line 3, column 1: no port"_s;
        QTest::newRow("blank") << QStringList{u"  "_s} << u"a port is empty"_s << u"units.csv: line 3, column 1: no port"_s;
        QTest::newRow("COM10") << QStringList{u"COM10"_s} << u"\"COM10\" is no port name from COM1 to COM9"_s << QString();
        QTest::newRow("com") << QStringList{u"com"_s} << u"\"com\" is no port: give COM1 to COM9 or the path"_s << QString();
        QTest::newRow("a number") << QStringList{u"3"_s} << u"\"3\" is no port: give COM1 to COM9"_s << QString();
        QTest::newRow("a name without a folder") << QStringList{u"ttyUSB0"_s} << u"\"ttyUSB0\" is no port: give"_s << QString();
        QTest::newRow("missing device") << QStringList{u"/dev/ttyUSB77"_s} << u"/dev/ttyUSB77: there is no such device"_s << QString();
        QTest::newRow("COM name to a missing device") << QStringList{u"COM4"_s} << u"/com4): there is no such device"_s << QString();
        QTest::newRow("folder") << QStringList{u"@folder"_s} << u": it is a folder, not a serial device"_s << QString();
        QTest::newRow("regular file") << QStringList{u"@file"_s} << u"template.txt: it is a file, not a serial device"_s << QString();
        QTest::newRow("/dev/null") << QStringList{u"/dev/null"_s} << u"/dev/null: it is no terminal device, so no serial port"_s << QString();
        QTest::newRow("COM1 and its device") << QStringList{u"COM1"_s, u"@device"_s} << u"COM1 and /dev/"_s << QString();
        QTest::newRow("with /./") << QStringList{u"@device"_s, u"@dotted"_s} << u"lead to the same device"_s << QString();
        QTest::newRow("through a link") << QStringList{u"@link"_s, u"com1"_s} << u"lead to the same device"_s << QString();
        QTest::newRow("COM1 and an empty one") << QStringList{u"COM1"_s, QString()} << u"a port is empty"_s
                                               << u"units.csv: line 4, column 1: no port"_s;
    }

    // Each port given to write, and to provision beside a good one: nothing reaches any logger.
    void badPorts_areRefused_beforeAnythingIsSent()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, message);
        QFETCH(QString, unitsMessage);
        QString error;
        QVERIFY2(PortNames::mapPort(4, u"/dev/ttyUSB77"_s, m_ports.path(), &error), qPrintable(error)); // unplugged
        const QString templateFile = file(u"template.txt"_s, "CAAPN=apn.example.jp\n");
        QList<CommandRun> runs;
        if (ports.size() == 1) {
            runs.append(runCommand(placed({u"write"_s, u"--quiet"_s, ports.first(), templateFile}),
                                   testSessionSetup(m_folder, m_ports.path())));
        }
        QStringList arguments{templateFile, u"--port"_s, u"COM2"_s};
        for (const QString &port : ports)
            arguments += {u"--port"_s, port};
        runs.append(provision(placed(arguments)));
        // The same ports from a units file.
        QByteArray units = "port,CAPOPID\nCOM2,unit2\n";
        for (const QString &port : placed(ports))
            units += "\"" + port.toUtf8() + "\",unit\n";
        file(u"units.csv"_s, units);
        runs.append(provision({templateFile, u"--units"_s, m_files.filePath(u"units.csv"_s)}));

        for (const CommandRun &run : std::as_const(runs)) {
            QCOMPARE(run.exitCode, 2);
            const QString expected = &run == &runs.last() && !unitsMessage.isEmpty() ? unitsMessage : message;
            QVERIFY2(run.err.contains(expected), qPrintable(run.err));
            QCOMPARE(run.out, QString());
        }
        QVERIFY(!anyLoggerHeardSomething());
    }

    void outputs_thatCannotTakeTheResult_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("loggerReached");
        // Refused before: nothing is sent.
        QTest::newRow("-o a folder") << QStringList{u"read"_s, u"-q"_s, u"-o"_s, u"@folder"_s, u"COM1"_s} << 2
                                     << u": cannot be written: "_s << false;
        QTest::newRow("-o in no folder") << QStringList{u"read"_s, u"-q"_s, u"-o"_s, u"@missing"_s, u"COM1"_s} << 2
                                         << u"none/out.txt: cannot be written: "_s << false;
        QTest::newRow("report = template") << QStringList{u"provision"_s, u"@file"_s, u"--port"_s, u"COM1"_s, u"--report"_s, u"@file"_s}
                                           << 2 << u"template.txt the command reads; the output must go elsewhere"_s << false;
        QTest::newRow("report = units, through a link")
            << QStringList{u"provision"_s, u"@file"_s, u"--units"_s, u"@units"_s, u"--report"_s, u"@unitslink"_s} << 2
            << u"units.csv the command reads"_s << false;
        QTest::newRow("log-dir a file") << QStringList{u"provision"_s, u"@file"_s, u"--port"_s, u"COM1"_s, u"--log-dir"_s, u"@units"_s}
                                        << 2 << u"units.csv: the folder cannot be made"_s << false;
        // Found after the exchange: the logger was read or written, its record was lost.
        QTest::newRow("-o /dev/full") << QStringList{u"read"_s, u"-q"_s, u"-o"_s, u"/dev/full"_s, u"COM1"_s} << 1
                                      << u"/dev/full: cannot be written: "_s << true;
        QTest::newRow("report /dev/full") << QStringList{u"provision"_s, u"@file"_s, u"--port"_s, u"COM1"_s, u"--report"_s, u"/dev/full"_s}
                                          << 1 << u"/dev/full: cannot be written: "_s << true;
    }

    void outputs_thatCannotTakeTheResult()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(bool, loggerReached);
        file(u"template.txt"_s, "CAAPN=apn.example.jp\n");
        file(u"units.csv"_s, "port,CAPOPID\nCOM1,unit1\n");
        QFile::link(m_files.filePath(u"units.csv"_s), m_files.filePath(u"units-link.csv"_s));
        const QStringList resolved = placed(arguments).replaceInStrings(u"@unitslink"_s, m_files.filePath(u"units-link.csv"_s));
        const CommandRun run = runCommand(resolved, testSessionSetup(m_folder, m_ports.path()));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(anyLoggerHeardSomething(), loggerReached);
        QCOMPARE(readFile(m_files.filePath(u"template.txt"_s)), QByteArray("CAAPN=apn.example.jp\n"));
        QCOMPARE(readFile(m_files.filePath(u"units.csv"_s)), QByteArray("port,CAPOPID\nCOM1,unit1\n"));
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
        QTest::newRow("more jobs than allowed") << QByteArray("port,CAPOPID\nCOM1,unit1\n") << QStringList{u"--jobs=65"_s}
                                                << u"--jobs takes a number from 1 to 64"_s;
    }

    void provision_refusesWhatDoesNotAddUp_beforeAnythingIsSent()
    {
        QFETCH(QByteArray, units);
        QFETCH(QStringList, ports);
        QFETCH(QString, message);
        QStringList arguments{file(u"template.txt"_s, "CAAPN=apn.example.jp\n"), u"--units"_s, file(u"units.csv"_s, units)};
        // "@COM1": the device itself; "--..." an option of its own.
        for (const QString &port : ports) {
            if (port.startsWith(u"--"))
                arguments.append(port);
            else
                arguments += {u"--port"_s, port == u"@COM1" ? m_logger->devicePath() : port};
        }
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
