#include "link/port_names.h"
#include "simulator/logger_settings.h"
#include "simulator/simulator_command_line.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

// The simulator's settings file, its command line, its port mapping, and the executable itself.
class TestSimulatorSetup : public QObject
{
    Q_OBJECT

private:
    static QString simulatorPath() { return QStringLiteral(TELVARO_APP_DIR "/telvaro-logger-sim"); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void storedValues_comeBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("plain") << QByteArray("-10.0");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("line ends inside") << QByteArray("a\rb\nc\r\n");
        QTest::newRow("backslashes") << QByteArray("\\r\\\\n\\");
        QTest::newRow("equals signs") << QByteArray("x=y=z");
        QTest::newRow("code page 932") << QByteArray::fromHex("89B79378B6DE815C5C");
    }

    void storedValues_comeBackByteForByte()
    {
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deep/er/logger.txt"));
        QString error;
        LoggerSettings written(path);
        written.setValue("CALOGINID", value);
        QVERIFY2(written.save(&error), qPrintable(error));

        LoggerSettings read(path);
        QVERIFY(read.load(&error));
        QCOMPARE(read.value("CALOGINID"), value);
        QCOMPARE(read.value("CAAPN"), QByteArray("example.apn"));
    }

    void missingFile_givesTheDefaults_andForeignLinesAreSkipped()
    {
        QTemporaryDir dir;
        QString error;
        LoggerSettings missing(dir.filePath(QStringLiteral("none.txt")));
        QVERIFY(missing.load(&error));
        QCOMPARE(missing.value("mode15"), QByteArray("127"));

        const QString path = writeFile(dir.filePath(QStringLiteral("logger.txt")),
                                       "mode15=010\n\nno equals sign\n=orphan\nCADNS1=10.0.0.1");
        LoggerSettings loaded(path);
        QVERIFY(loaded.load(&error));
        QCOMPARE(loaded.value("mode15"), QByteArray("010"));
        QCOMPARE(loaded.value("CADNS1"), QByteArray("10.0.0.1"));
        QVERIFY(!loaded.contains(""));
        QCOMPARE(loaded.value("mode0"), QByteArray("001"));
    }

    void commandLine_setsTheOptions()
    {
        QString error;
        const auto parsed = parseSimulatorCommandLine(
            {QStringLiteral("sim"), QStringLiteral("--model"), QStringLiteral("G4N"),
             QStringLiteral("--model-suffix"), QStringLiteral("X00001"), QStringLiteral("--no-at"),
             QStringLiteral("--ignore-handshake"), QStringLiteral("2"), QStringLiteral("--ignore-caon"),
             QStringLiteral("1"), QStringLiteral("--drop-reply"), QStringLiteral("5"),
             QStringLiteral("--drop-replies-to"), QStringLiteral("CAAPN"), QStringLiteral("--delay"),
             QStringLiteral("100"), QStringLiteral("--slow-write"), QStringLiteral("ALARM3"),
             QStringLiteral("--slow-write-delay"), QStringLiteral("3000"), QStringLiteral("--at-interval"),
             QStringLiteral("250"), QStringLiteral("--split-pause"), QStringLiteral("7"),
             QStringLiteral("--channel-count"), QStringLiteral("x"),
             QStringLiteral("--split"), QStringLiteral("4"), QStringLiteral("--echo"), QStringLiteral("--no-apn"),
             QStringLiteral("--absent-from-row"), QStringLiteral("8"), QStringLiteral("--flood"),
             QStringLiteral("40000"), QStringLiteral("--hang-up-after"), QStringLiteral("9"),
             QStringLiteral("--link-com"), QStringLiteral("3"), QStringLiteral("--ports-folder"),
             QStringLiteral("/tmp/p"), QStringLiteral("--settings"), QStringLiteral("/tmp/s.txt")},
            &error);
        QVERIFY2(parsed, qPrintable(error));
        const SimulatedLoggerOptions &logger = parsed->logger;
        QCOMPARE(logger.modelCode, QByteArray("G4N"));
        QCOMPARE(logger.modelSuffix, QByteArray("X00001"));
        QVERIFY(logger.neverSendAt && logger.echoCommands && logger.noApn);
        QCOMPARE(logger.ignoreHandshakes, 2);
        QCOMPARE(logger.ignoreCaons, 1);
        QCOMPARE(logger.dropReplyToCommand, 5);
        QCOMPARE(logger.dropRepliesContaining, QByteArray("CAAPN"));
        QCOMPARE(logger.replyDelay, 100ms);
        QCOMPARE(logger.slowWriteKey, QByteArray("ALARM3"));
        QCOMPARE(logger.slowWriteDelay, 3000ms);
        QCOMPARE(logger.atInterval, 250ms);
        QCOMPARE(logger.splitPause, 7ms);
        QCOMPARE(logger.channelCountAnswer, QByteArray("x"));
        QCOMPARE(logger.splitRepliesBytes, 4);
        QCOMPARE(logger.absentFromRow, 8);
        QCOMPARE(logger.floodBytes, 40000);
        QCOMPARE(logger.hangUpAfterCommands, 9);
        QCOMPARE(logger.settingsFile, QStringLiteral("/tmp/s.txt"));
        QCOMPARE(parsed->linkCom, 3);
        QCOMPARE(parsed->portsFolder, QStringLiteral("/tmp/p"));
    }

    void commandLineMistakes_areRefusedWithTheUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("pieces of nothing") << QStringList{QStringLiteral("--split"), QStringLiteral("0")};
        QTest::newRow("not a number") << QStringList{QStringLiteral("--delay"), QStringLiteral("soon")};
        QTest::newRow("negative interval") << QStringList{QStringLiteral("--at-interval"), QStringLiteral("-1")};
        QTest::newRow("short suffix") << QStringList{QStringLiteral("--model-suffix"), QStringLiteral("V1")};
        QTest::newRow("port zero") << QStringList{QStringLiteral("--link-com"), QStringLiteral("0")};
        QTest::newRow("link and device")
            << QStringList{QStringLiteral("--link-com"), QStringLiteral("1"), QStringLiteral("--device"),
                           QStringLiteral("/dev/ttyUSB0")};
        QTest::newRow("stray argument") << QStringList{QStringLiteral("extra")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast")};
    }

    void commandLineMistakes_areRefusedWithTheUsage()
    {
        QFETCH(QStringList, arguments);
        arguments.prepend(QStringLiteral("sim"));
        QString error;
        QVERIFY(!parseSimulatorCommandLine(arguments, &error));
        QVERIFY2(error.contains(QStringLiteral("--link-com")), qPrintable(error));
    }

    void executable_printsItsDevice_mapsThePort_andKeepsWritesForTheNextRun()
    {
        QVERIFY2(QFileInfo::exists(simulatorPath()), "build telvaro-logger-sim first");
        QTemporaryDir dir;
        const QString ports = dir.filePath(QStringLiteral("ports"));
        const QStringList arguments = {QStringLiteral("--link-com"), QStringLiteral("4"),
                                       QStringLiteral("--ports-folder"), ports, QStringLiteral("--settings"),
                                       dir.filePath(QStringLiteral("logger.txt"))};
        for (const QByteArray &lines : {QByteArray("mode3=010"), QByteArray("mode3?")}) {
            QProcess simulator;
            simulator.start(simulatorPath(), arguments);
            QVERIFY(simulator.waitForReadyRead(5000));
            const QString device = QString::fromLocal8Bit(simulator.readLine().trimmed());
            QVERIFY2(device.startsWith(QStringLiteral("/dev/")), qPrintable(device));
            const QString link = PortNames::linkPath(4, ports);
            QCOMPARE(QFileInfo(link).symLinkTarget(), device);

            ToolEndOfLine tool;
            QVERIFY(tool.open(link));
            QVERIFY(tool.enterCommandMode());
            QCOMPARE(tool.ask(lines), QByteArray(lines.endsWith('?') ? "010\r\n" : "OK\r\n"));
            tool.close();
            simulator.terminate();
            QVERIFY(simulator.waitForFinished(5000));
        }
    }
};

QTEST_GUILESS_MAIN(TestSimulatorSetup)
#include "tst_simulator_setup.moc"
