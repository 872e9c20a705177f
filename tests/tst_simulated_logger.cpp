#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"
#include "text/cp932.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

// The well-behaved simulated logger, spoken to by a plain serial port over a pseudo-terminal.
class TestSimulatedLogger : public QObject
{
    Q_OBJECT

private slots:
    void openedPort_isWokenWithAt_untilTheHandshakeIsAnswered()
    {
        SimulatedLoggerFixture fixture({.atInterval = 100ms});
        QVERIFY2(fixture.isValid(), qPrintable(fixture.errorString()));
        ToolEndOfLine tool;
        QVERIFY(tool.open(fixture.comLinkPath()));
        QVERIFY(tool.waitFor("AT\r\n"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(tool.waitFor("AT\r\nAT\r\n"));
        // The logger's timer is a coarse one: the interval set, not the 500 ms of its default.
        QVERIFY2(clock.elapsed() >= 50 && clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));

        tool.take();
        tool.send("\rCONNECT\r");
        QVERIFY(tool.waitFor("READY\r\n"));
        tool.take();
        QVERIFY(!tool.listen(250).contains("AT"));
    }

    void commandsBeforeCaon_getNoAnswer()
    {
        const auto session = LoggerOnTheLine::open();
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        tool.send("CAON\r\n"); // before the handshake
        tool.send("\rCONNECT\r");
        QVERIFY(tool.waitFor("READY\r\n"));
        QVERIFY(!tool.take().contains("OK"));

        QCOMPARE(tool.ask("EERM0", 150), QByteArray());
        QCOMPARE(tool.ask("CAON"), QByteArray("OK\r\n"));
        QCOMPARE(tool.ask("EERM0"), QByteArray("GSNV01.00\r\n"));
    }

    void commandMode_answersReadsFromTheStoredSettings_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("model code") << QByteArray("EERM0") << QByteArray("GSNV01.00");
        QTest::newRow("channel count") << QByteArray("EERC9") << QByteArray("16");
        QTest::newRow("element of row 0") << QByteArray("mode0?") << QByteArray("001");
        QTest::newRow("default element") << QByteArray("mode15?") << QByteArray("127");
        QTest::newRow("first limit") << QByteArray("ALARM0?") << QByteArray("-10.0");
        QTest::newRow("last limit") << QByteArray("ALARM31?") << QByteArray("50.0");
        QTest::newRow("alarm address") << QByteArray("CAALARMADDRESS1?") << QByteArray("alarm1@example.jp");
        QTest::newRow("empty address") << QByteArray("CAALARMADDRESS6?") << QByteArray("");
        QTest::newRow("data address") << QByteArray("CADATAADDRESS1?") << QByteArray("data1@example.jp");
        QTest::newRow("login") << QByteArray("CALOGINID?") << QByteArray("user01");
        QTest::newRow("apn") << QByteArray("CAAPN?") << QByteArray("example.apn");
        QTest::newRow("auth type") << QByteArray("CAAUTHTYPE?") << QByteArray("2");
        QTest::newRow("unknown item") << QByteArray("CAFOO?") << QByteArray("???");
        QTest::newRow("row beyond 15") << QByteArray("mode16?") << QByteArray("???");
        QTest::newRow("leading zero") << QByteArray("mode01?") << QByteArray("???");
        QTest::newRow("limit beyond 31") << QByteArray("ALARM32?") << QByteArray("???");
        QTest::newRow("address 0") << QByteArray("CADATAADDRESS0?") << QByteArray("???");
        QTest::newRow("no command") << QByteArray("HELLO") << QByteArray("NG");
        QTest::newRow("empty line") << QByteArray("") << QByteArray("NG");
    }

    void commandMode_answersReadsFromTheStoredSettings()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        const auto session = LoggerOnTheLine::open();
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask(command), reply + "\r\n");
    }

    void model_decidesChannelsAndApn_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("four channels") << QByteArray("G4N") << QByteArray("EERC9") << QByteArray("4");
        QTest::newRow("last row present") << QByteArray("G4N") << QByteArray("mode3?") << QByteArray("127");
        QTest::newRow("missing row") << QByteArray("G4N") << QByteArray("mode4?") << QByteArray("???");
        QTest::newRow("last limit present") << QByteArray("G4N") << QByteArray("ALARM7?") << QByteArray("50.0");
        QTest::newRow("limit of missing row") << QByteArray("G4N") << QByteArray("ALARM8?") << QByteArray("???");
        QTest::newRow("model without apn") << QByteArray("BRK5N") << QByteArray("CAAPN?") << QByteArray("???");
        QTest::newRow("nor auth type") << QByteArray("BRK5N") << QByteArray("CAAUTHTYPE?") << QByteArray("???");
        QTest::newRow("other items stay") << QByteArray("BRK5N") << QByteArray("CADNS1?") << QByteArray("192.0.2.1");
        QTest::newRow("chosen code") << QByteArray("VOSPELTN") << QByteArray("EERM0") << QByteArray("VOSPELTNV01.00");
        QTest::newRow("unknown code") << QByteArray("XYZ") << QByteArray("EERC9") << QByteArray("16");
    }

    void model_decidesChannelsAndApn()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        const auto session = LoggerOnTheLine::open({.modelCode = model});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask(command), reply + "\r\n");
    }

    void modelSuffix_followsTheCode()
    {
        const auto session = LoggerOnTheLine::open({.modelCode = "QAN", .modelSuffix = "X12345"});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("EERM0"), QByteArray("QANX12345\r\n"));
    }

    void writes_areAcknowledged_andSurviveARestart()
    {
        QTemporaryDir dir;
        const SimulatedLoggerOptions options{.settingsFile = dir.filePath(QStringLiteral("logger.txt"))};
        const QByteArray loginId = Cp932::encode(u"ﾛｶﾞｰ温度\\x");
        const QList<QByteArray> writes = {
            "mode3=010", "ALARM0=-5.5", "CAEEWF1,80.0", "CADATAADDRESS2=d2@example.jp",
            "CAALARMADDRESS1=", "CALOGINID=" + loginId, "CAAUTHTYPE=3"};
        {
            SimulatedLoggerFixture fixture(options);
            QVERIFY2(fixture.isValid(), qPrintable(fixture.errorString()));
            ToolEndOfLine tool;
            QVERIFY(tool.open(fixture.devicePath()));
            QVERIFY(tool.enterCommandMode());
            for (const QByteArray &line : writes)
                QCOMPARE(tool.ask(line), QByteArray("OK\r\n"));
            QCOMPARE(fixture.logger().value(QStringLiteral("CALOGINID")), QStringLiteral("ﾛｶﾞｰ温度\\x"));
            QCOMPARE(fixture.logger().value(QStringLiteral("CAEEWF1")), QStringLiteral("80.0"));
        }
        SimulatedLoggerFixture restarted(options);
        QVERIFY(restarted.isValid());
        ToolEndOfLine tool;
        QVERIFY(tool.open(restarted.devicePath()));
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("mode3?"), QByteArray("010\r\n"));
        QCOMPARE(tool.ask("ALARM0?"), QByteArray("-5.5\r\n"));
        QCOMPARE(tool.ask("ALARM1?"), QByteArray("50.0\r\n"));
        QCOMPARE(tool.ask("CADATAADDRESS2?"), QByteArray("d2@example.jp\r\n"));
        QCOMPARE(tool.ask("CAALARMADDRESS1?"), QByteArray("\r\n"));
        QCOMPARE(tool.ask("CALOGINID?"), "" + loginId + "\r\n");
        QCOMPARE(tool.ask("CAAUTHTYPE?"), QByteArray("3\r\n"));
    }

    void writesToMissingItems_areRefused_andNotStored()
    {
        const auto session = LoggerOnTheLine::open({.modelCode = "G4N"});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("mode4=001"), QByteArray("NG\r\n"));
        QCOMPARE(tool.ask("ALARM8=1.0"), QByteArray("NG\r\n"));
        QCOMPARE(tool.ask("CAFOO=1"), QByteArray("NG\r\n"));
        QCOMPARE(session->fixture.logger().value(QStringLiteral("mode4")), QStringLiteral("127"));
        QCOMPARE(session->fixture.logger().value(QStringLiteral("ALARM8")), QStringLiteral("-10.0"));
    }

    void unsavableWrite_isRefused()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("file")), {});
        SimulatedLoggerOptions options;
        options.settingsFile = dir.filePath(QStringLiteral("file/logger.txt")); // below a plain file
        const auto session = LoggerOnTheLine::open(options);
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("mode3=010"), QByteArray("NG\r\n"));
        QVERIFY(!session->fixture.logger().settingsError().isEmpty());
    }

    void releasingThePort_endsCommandMode_andTheNextOpeningStartsAfresh()
    {
        SimulatedLoggerFixture fixture;
        QVERIFY(fixture.isValid());
        SimulatedLogger &logger = fixture.logger();
        for (int round = 0; round < 3; ++round) {
            ToolEndOfLine tool;
            QVERIFY(tool.open(fixture.comLinkPath()));
            QVERIFY(tool.enterCommandMode());
            QVERIFY(logger.isInCommandMode());
            QSignalSpy phases(&logger, &SimulatedLogger::phaseChanged);
            tool.close();
            QVERIFY(phases.wait(1000));
            QCOMPARE(logger.phase(), SimulatedLogger::Phase::Released);
        }
        ToolEndOfLine tool;
        QVERIFY(tool.open(fixture.comLinkPath()));
        QVERIFY(tool.waitFor("AT\r\n"));
        QCOMPARE(tool.ask("EERM0", 150), QByteArray());
    }

    void caoff_endsCommandMode_andTheLoggerWakesTheToolAgain()
    {
        const auto session = LoggerOnTheLine::open();
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("CAOFF"), QByteArray("OK\r\n"));
        QVERIFY(!session->fixture.logger().isInCommandMode());
        QVERIFY(tool.waitFor("AT\r\n", 1000));
        tool.take();
        tool.send("EERM0\r\n");
        QVERIFY(!tool.listen(150).contains("GSN"));
    }

    void repeatedHandshake_isAnsweredAgain_inCommandMode()
    {
        const auto session = LoggerOnTheLine::open();
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("EERC9"), QByteArray("16\r\n"));
    }

    void everyLineTheToolSent_isRecorded()
    {
        SimulatedLoggerFixture fixture;
        QVERIFY(fixture.isValid());
        QSignalSpy lines(&fixture.logger(), &SimulatedLogger::lineReceived);
        ToolEndOfLine tool;
        QVERIFY(tool.open(fixture.devicePath()));
        QVERIFY(tool.enterCommandMode());
        // Two lines in one write, the second split from its line end.
        tool.send("mode0?\r\nALARM0=1.5\r");
        tool.send("\n");
        QVERIFY(tool.waitFor("OK\r\n"));
        const QList<QByteArray> expected = {"CONNECT", "CAON", "mode0?", "ALARM0=1.5"};
        QCOMPARE(fixture.logger().receivedLines(), expected);
        QCOMPARE(lines.count(), 4);
        QCOMPARE(lines.last().first().toByteArray(), QByteArray("ALARM0=1.5"));
    }
};

QTEST_GUILESS_MAIN(TestSimulatedLogger)
#include "tst_simulated_logger.moc"
