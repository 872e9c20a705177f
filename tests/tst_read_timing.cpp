#include "support/sequence_rig.h"

#include <QTest>

using namespace std::chrono_literals;

// The handshake, the command mode and the model query of the read, at a small time scale: each
// time-out, pause and retry limit shows in when the logger hears what, and when the read gives up.
class TestReadTiming : public QObject
{
    Q_OBJECT

private slots:
    void loggerThatNeverCalls_isAnsweredOnceTheWakeUpWaitIsOver()
    {
        SequenceRig rig({.neverSendAt = true});
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        QVERIFY(rig.readLogger());
        QVERIFY(rig.screen().log().startsWith(QStringLiteral("CONNECT\r\nREADY\r\n")));
        QVERIFY(lastsAbout(rig.timeline().between(statusEvent(QStringLiteral("通信接続中")), heardEvent(QStringLiteral("CONNECT"))),
                           rig.scaled(2s)));
    }

    void handshakeAnsweredOnTheThirdTry_isRead()
    {
        SequenceRig rig({.neverSendAt = true, .ignoreHandshakes = 2});
        QVERIFY(rig.isValid());
        // Pauses long enough that 2 s tells apart from any other length.
        rig.setPauseScale(0.25);
        rig.shortenReadScripts();
        QVERIFY(rig.readLogger());
        QCOMPARE(rig.timesReceived(QStringLiteral("CONNECT")), 3);
        // "READY" awaited 2 s, a pause of 2 s, "AT" awaited 2 s, then the handshake again.
        const Timeline &timeline = rig.timeline();
        const QString connect = heardEvent(QStringLiteral("CONNECT"));
        const auto attempt = rig.scaled(2s) + rig.scaledPause(2s) + rig.scaled(2s);
        QVERIFY(lastsAbout(timeline.at(connect, 2) - timeline.at(connect, 1), attempt, 3));
        QVERIFY(lastsAbout(timeline.at(connect, 3) - timeline.at(connect, 2), attempt, 3));
    }

    void commandModeAfterTwoHandshakeRetries_getsOnlyTwoMoreTries()
    {
        SequenceRig rig({.ignoreHandshakes = 2, .ignoreCaons = 3});
        QVERIFY(rig.isValid());
        rig.read();
        QCOMPARE(rig.timesReceived(QStringLiteral("CAON")), 3);
        QCOMPARE(rig.screen().statusText(), kResponseTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.screen().shown(), QStringList{QStringLiteral("read")});
        QVERIFY(!rig.model().commands().Command1(1).isEnabled());
        QVERIFY(rig.model().commands().Command1(0).isEnabled());
        QVERIFY(!rig.link().isPortOpen());
        // "OK" awaited 4 s, then a pause of 0.5 s before "CAON" goes out again.
        const Timeline &timeline = rig.timeline();
        const QString caon = heardEvent(QStringLiteral("CAON"));
        QVERIFY(lastsAbout(timeline.at(caon, 2) - timeline.at(caon, 1), rig.scaled(4s) + rig.scaledPause(500ms), 2));
        QVERIFY(lastsAbout(timeline.at(messageEvent(kCannotOpenPort)) - timeline.at(caon, 3), rig.scaled(4s)));
    }

    // Four retries in all, whatever their mix: after three for "CAON", "EERM0" gets one.
    void modelQueryAfterThreeCommandModeRetries_getsOneMoreTry()
    {
        SequenceRig rig({.ignoreCaons = 3, .dropRepliesContaining = "EERM0"});
        QVERIFY(rig.isValid());
        // Pauses long enough that 2 s tells apart from any other length.
        rig.setPauseScale(0.25);
        const ExchangeResult read = rig.read();
        QCOMPARE(rig.timesReceived(QStringLiteral("CAON")), 4);
        QCOMPARE(rig.timesReceived(QStringLiteral("EERM0")), 2);
        QCOMPARE(rig.screen().statusText(), kResponseTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(read.outcome, ExchangeResult::Outcome::Failed);
        // The answer awaited 2 s, then a pause of 2 s before "EERM0" goes out again.
        const Timeline &timeline = rig.timeline();
        const QString query = heardEvent(QStringLiteral("EERM0"));
        QVERIFY(lastsAbout(timeline.at(query, 2) - timeline.at(query, 1), rig.scaled(2s) + rig.scaledPause(2s), 2));
        QVERIFY(lastsAbout(timeline.at(messageEvent(kCannotOpenPort)) - timeline.at(query, 2), rig.scaled(2s)));
        // "Ch情報取得中" shows again with each query.
        QCOMPARE(rig.screen().statusTexts().count(QStringLiteral("Ch情報取得中")), 2);
    }

    void silentLogger_failsAfterThreeHandshakes()
    {
        SequenceRig rig({.neverSendAt = true, .ignoreHandshakes = 1000});
        QVERIFY(rig.isValid());
        const ExchangeResult read = rig.read();
        QCOMPARE(rig.timesReceived(QStringLiteral("CONNECT")), 3);
        QCOMPARE(rig.screen().statusText(), kResponseTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(read.outcome, ExchangeResult::Outcome::Failed);
        // Three attempts of 2 s for "AT" and 2 s for "READY", with two pauses of 2 s between them.
        const Timeline &timeline = rig.timeline();
        const qint64 failedAt = timeline.at(messageEvent(kCannotOpenPort));
        QVERIFY(lastsAbout(failedAt, rig.scaled(12s) + rig.scaledPause(4s), 8));
        QVERIFY(lastsAbout(failedAt - timeline.at(heardEvent(QStringLiteral("CONNECT")), 3), rig.scaled(2s)));
    }
};

QTEST_MAIN(TestReadTiming)
#include "tst_read_timing.moc"
