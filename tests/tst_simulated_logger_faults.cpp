#include "support/exchange_timing.h"
#include "support/simulated_logger_fixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

// The faults a simulated logger can be told to show, each seen from the tool's end of the line.
class TestSimulatedLoggerFaults : public QObject
{
    Q_OBJECT

private slots:
    void silentWakeUp_sendsNoAt_butAnswersTheHandshake()
    {
        auto session = LoggerOnTheLine::open({.atInterval = 50ms, .neverSendAt = true});
        QVERIFY(session);
        QVERIFY(!session->tool.listen(300).contains("AT"));
        QVERIFY(session->tool.enterCommandMode());
    }

    void ignoredHandshakes_areAnsweredOnceTheCountIsSpent_data()
    {
        QTest::addColumn<int>("ignored");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
    }

    void ignoredHandshakes_areAnsweredOnceTheCountIsSpent()
    {
        QFETCH(int, ignored);
        auto session = LoggerOnTheLine::open({.ignoreHandshakes = ignored});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        for (int attempt = 0; attempt < ignored; ++attempt) {
            tool.send("\rCONNECT\r");
            QVERIFY(!tool.listen(150).contains("READY"));
        }
        QVERIFY(tool.enterCommandMode());
    }

    void ignoredCaons_areAnsweredOnceTheCountIsSpent()
    {
        auto session = LoggerOnTheLine::open({.ignoreCaons = 2});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        tool.send("\rCONNECT\r");
        QVERIFY(tool.waitFor("READY\r\n"));
        QCOMPARE(tool.ask("CAON", 150), QByteArray());
        QCOMPARE(tool.ask("CAON", 150), QByteArray());
        QVERIFY(!session->fixture.logger().isInCommandMode());
        QCOMPARE(tool.ask("CAON"), QByteArray("OK\r\n"));
        QVERIFY(session->fixture.logger().isInCommandMode());
    }

    void droppedReply_leavesOnlyThatCommandUnanswered_data()
    {
        QTest::addColumn<int>("commandNumber");
        QTest::addColumn<QByteArray>("containing");
        // CAON is command 1, EERM0 2, EERC9 3, mode0? 4.
        QTest::newRow("third command") << 3 << QByteArray();
        QTest::newRow("by text") << 0 << QByteArray("RC9");
    }

    void droppedReply_leavesOnlyThatCommandUnanswered()
    {
        QFETCH(int, commandNumber);
        QFETCH(QByteArray, containing);
        auto session = LoggerOnTheLine::open({.dropReplyToCommand = commandNumber, .dropRepliesContaining = containing});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("EERM0"), QByteArray("GSNV01.00\r\n"));
        QCOMPARE(tool.ask("EERC9", 150), QByteArray());
        QCOMPARE(tool.ask("mode0?"), QByteArray("001\r\n"));
    }

    void delayedReplies_comeAfterTheDelay()
    {
        auto session = LoggerOnTheLine::open({.replyDelay = 150ms});
        QVERIFY(session);
        QVERIFY(session->tool.enterCommandMode());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(session->tool.ask("EERM0"), QByteArray("GSNV01.00\r\n"));
        QVERIFY(lastsAbout(clock.elapsed(), 150ms));
    }

    void chosenWriteLine_isAnsweredAfterTheSlowWriteDelay()
    {
        auto session = LoggerOnTheLine::open({.slowWriteDelay = 250ms, .slowWriteKey = "ALARM3"});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(tool.ask("ALARM2=1.0"), QByteArray("OK\r\n"));
        // Not slowed: shorter than the delay would make it, with room for a loaded machine.
        QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(tool.ask("ALARM3?"), QByteArray("50.0\r\n")); // reads of the key are not slowed
        clock.restart();
        QCOMPARE(tool.ask("ALARM3=2.0"), QByteArray("OK\r\n"));
        QVERIFY(lastsAbout(clock.elapsed(), 250ms));
    }

    // By default the answer comes after more than the tool's 2 s acknowledgement time-out, at
    // any pace the two keep alike.
    void slowWriteDelay_outlastsTheAcknowledgementTimeOut()
    {
        QVERIFY(SimulatedLoggerOptions{}.slowWriteDelay > ExchangeTimings{}.acknowledgementTimeout);
        QVERIFY(SimulatedLoggerOptions{}.scaled(0.05).slowWriteDelay > ExchangeTimings{}.scaled(0.05).acknowledgementTimeout);
    }

    void splitReplies_arriveInSeveralReads()
    {
        auto session = LoggerOnTheLine::open({.splitPause = 20ms, .splitRepliesBytes = 3});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        const int readsBefore = tool.readCount();
        QCOMPARE(tool.ask("EERM0"), QByteArray("GSNV01.00\r\n"));
        QVERIFY2(tool.readCount() - readsBefore >= 3, qPrintable(QString::number(tool.readCount() - readsBefore)));
    }

    void echo_precedesEachReply()
    {
        auto session = LoggerOnTheLine::open({.echoCommands = true});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        tool.send("\rCONNECT\r");
        QVERIFY(tool.waitFor("READY\r\n"));
        tool.take();
        tool.send("CAON\r\n");
        QVERIFY(tool.waitFor("OK\r\n"));
        QCOMPARE(tool.take(), QByteArray("CAON\r\nOK\r\n"));
        tool.send("mode0?\r\n");
        QVERIFY(tool.waitFor("001\r\n"));
        QCOMPARE(tool.take(), QByteArray("mode0?\r\n001\r\n"));
    }

    void missingApn_isAnsweredWithQuestionMarks_andItsWriteRefused()
    {
        auto session = LoggerOnTheLine::open({.noApn = true});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("CAAPN?"), QByteArray("???\r\n"));
        QCOMPARE(tool.ask("CAAPN=other.apn"), QByteArray("NG\r\n"));
        QCOMPARE(tool.ask("CADNS2?"), QByteArray("192.0.2.2\r\n"));
    }

    void absentRows_answerTheirElementWithAQuestionMark()
    {
        auto session = LoggerOnTheLine::open({.absentFromRow = 3});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("mode2?"), QByteArray("003\r\n"));
        QVERIFY(tool.ask("mode3?").contains('?'));
        QVERIFY(tool.ask("mode15?").contains('?'));
        QCOMPARE(tool.ask("EERC9"), QByteArray("3\r\n"));
    }

    void flood_withoutLineEnds_precedesReady()
    {
        auto session = LoggerOnTheLine::open({.floodBytes = 40000});
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        tool.listen(100);
        tool.take();
        tool.send("\rCONNECT\r");
        QVERIFY(tool.waitFor("READY\r\n", 5000));
        const QByteArray received = tool.take();
        QVERIFY(received.endsWith("READY\r\n"));
        const QByteArray flood = received.left(received.indexOf("READY\r\n"));
        QCOMPARE(flood.size(), 40000);
        QVERIFY(!flood.contains('\r') && !flood.contains('\n'));
    }

    void hangUp_afterTheChosenCommand_closesTheLine()
    {
        const SimulatedLoggerOptions options{.hangUpAfterCommands = 2}; // CAON, then EERM0
        auto session = LoggerOnTheLine::open(options);
        QVERIFY(session);
        ToolEndOfLine &tool = session->tool;
        QSignalSpy hungUp(&session->fixture.logger(), &SimulatedLogger::hungUp);
        QSignalSpy errors(&tool.port(), &QSerialPort::errorOccurred);
        QVERIFY(tool.enterCommandMode());
        QCOMPARE(tool.ask("EERM0"), QByteArray("GSNV01.00\r\n"));
        QVERIFY(hungUp.count() == 1 || hungUp.wait(1000));
        QVERIFY(errors.wait(1000));
        QVERIFY(!tool.port().isOpen());
        QCOMPARE(session->fixture.logger().phase(), SimulatedLogger::Phase::Released);
    }
};

QTEST_GUILESS_MAIN(TestSimulatedLoggerFaults)
#include "tst_simulated_logger_faults.moc"
