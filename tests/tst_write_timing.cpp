#include "support/sequence_rig.h"

#include <QTest>

using namespace std::chrono_literals;

// Every wait of the write, at a small time scale: each time-out, pause and retry limit shows in
// when the logger hears what, and when the write gives up.
class TestWriteTiming : public QObject
{
    Q_OBJECT

private slots:
    void loggerThatNeverCalls_isStillWritten()
    {
        const auto rig = SequenceRig::afterRead({.neverSendAt = true});
        QVERIFY(rig);
        rig->write();
        QCOMPARE(rig->screen().messages(), QStringList{kWritten});
        QVERIFY(lastsAbout(rig->timeline().between(statusEvent(QStringLiteral("通信接続中")), heardEvent(QStringLiteral("CONNECT"))),
                           rig->scaled(2s)));
    }

    void commandModeAfterOneHandshakeRetry_isTriedFourTimes()
    {
        const auto rig = SequenceRig::afterRead({.neverSendAt = true, .ignoreHandshakes = 1, .ignoreCaons = 1000});
        QVERIFY(rig);
        // Pauses long enough that 0.5 s tells apart from any other length.
        rig->setPauseScale(0.5);
        rig->write();
        QCOMPARE(rig->timesReceived(QStringLiteral("CONNECT")), 2);
        QCOMPARE(rig->timesReceived(QStringLiteral("CAON")), 4);
        QCOMPARE(rig->screen().statusText(), kResponseTimeout);
        QCOMPARE(rig->screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig->screen().shown().last(), QStringLiteral("every command"));
        QVERIFY(rig->model().commands().Command1(1).isEnabled());
        // "READY" awaited 2 s, a pause of 0.5 s, "AT" awaited 2 s, then the handshake again.
        const Timeline &timeline = rig->timeline();
        const QString connect = heardEvent(QStringLiteral("CONNECT"));
        QVERIFY(lastsAbout(timeline.at(connect, 2) - timeline.at(connect, 1), rig->scaled(4s) + rig->scaledPause(500ms), 3));
        // "OK" awaited 4 s, then a pause of 0.5 s before "CAON" goes out again.
        const QString caon = heardEvent(QStringLiteral("CAON"));
        QVERIFY(lastsAbout(timeline.at(caon, 2) - timeline.at(caon, 1), rig->scaled(4s) + rig->scaledPause(500ms), 2));
        QVERIFY(lastsAbout(timeline.at(messageEvent(kCannotOpenPort)) - timeline.at(caon, 4), rig->scaled(4s)));
    }

    // Every line of every file is acknowledged within 2 s, or the write ends at that line.
    void lateAcknowledgement_failsAtThatLine_keepingTheLinesBefore_data()
    {
        QTest::addColumn<QByteArray>("slowKey");
        QTest::addColumn<QString>("lastStatus");
        QTest::newRow("Arm.eep") << QByteArray("ALARM3") << QStringLiteral("通信接続中");
        QTest::newRow("mail.eep") << QByteArray("CAALARMADDRESS2") << QStringLiteral("メールアドレス書込中");
        QTest::newRow("ArmNet.eep") << QByteArray("CAEEWF3") << QStringLiteral("設定書込中");
        QTest::newRow("Mmail.eep") << QByteArray("CAPOPID") << QStringLiteral("接続設定書込中");
    }

    void lateAcknowledgement_failsAtThatLine_keepingTheLinesBefore()
    {
        QFETCH(QByteArray, slowKey);
        QFETCH(QString, lastStatus);
        SimulatedLoggerOptions options;
        options.slowWriteKey = slowKey;
        options.slowWriteDelay = 6s; // well after the time-out, even on a loaded machine
        const auto rig = SequenceRig::afterRead(options);
        QVERIFY(rig);
        rig->write();

        QCOMPARE(rig->screen().statusTexts().mid(rig->screen().statusTexts().size() - 2),
                 (QStringList{lastStatus, kResponseTimeout}));
        QCOMPARE(rig->screen().messages(), QStringList{kCannotOpenPort});
        const QStringList received = rig->receivedLines();
        QVERIFY(received.last().startsWith(QString::fromLatin1(slowKey)));
        // The line before it was applied and stays so.
        const QString before = received.at(received.size() - 2);
        const qsizetype separator = before.indexOf(before.startsWith(QStringLiteral("CAEEWF")) ? u',' : u'=');
        QCOMPARE(rig->logger().value(before.left(separator)), before.mid(separator + 1));
        QVERIFY(!rig->link().isPortOpen());
        QVERIFY(lastsAbout(rig->timeline().between(heardEvent(received.last()), messageEvent(kCannotOpenPort)), rig->scaled(2s)));
    }

    void silentLogger_failsAfterThreeHandshakes()
    {
        const auto rig = SequenceRig::afterRead({.neverSendAt = true, .ignoreHandshakes = 1000});
        QVERIFY(rig);
        const ExchangeResult write = rig->write();
        QCOMPARE(rig->timesReceived(QStringLiteral("CONNECT")), 3);
        QCOMPARE(rig->screen().statusText(), kResponseTimeout);
        QCOMPARE(rig->screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(write.outcome, ExchangeResult::Outcome::Failed);
        QVERIFY(rig->model().commands().Command1(0).isEnabled());
        // Three attempts of 2 s for "AT" and 2 s for "READY", with two pauses of 0.5 s between them.
        const Timeline &timeline = rig->timeline();
        const qint64 failedAt = timeline.at(messageEvent(kCannotOpenPort));
        QVERIFY(lastsAbout(failedAt, rig->scaled(12s) + rig->scaledPause(1s), 8));
        QVERIFY(lastsAbout(failedAt - timeline.at(heardEvent(QStringLiteral("CONNECT")), 3), rig->scaled(2s)));
    }
};

QTEST_MAIN(TestWriteTiming)
#include "tst_write_timing.moc"
