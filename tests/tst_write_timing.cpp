#include "link/line_ends.h"
#include "support/sequence_rig.h"

#include <QTest>

using namespace std::chrono_literals;

// The waits of the write (its handshake is tried in tst_read_timing): each time-out, pause and
// retry limit shows in the waits and pauses it asks the link for, between what the logger hears.
class TestWriteTiming : public QObject
{
    Q_OBJECT

private slots:
    void commandModeAfterOneHandshakeRetry_isTriedFourTimes()
    {
        const auto rig = SequenceRig::afterRead({.neverSendAt = true, .ignoreHandshakes = 1, .ignoreCaons = 1000});
        QVERIFY(rig);
        rig->write();
        QCOMPARE(rig->timesReceived(QStringLiteral("CONNECT")), 2);
        QCOMPARE(rig->timesReceived(QStringLiteral("CAON")), 4);
        QCOMPARE(rig->screen().statusText(), kResponseTimeout);
        QCOMPARE(rig->screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig->screen().shown().last(), QStringLiteral("every command"));
        QVERIFY(rig->model().commands().Command1(1).isEnabled());
        // "READY" awaited 2 s, a pause of 0.5 s, "AT" awaited 2 s, then the handshake again;
        // "OK" awaited 4 s, then a pause of 0.5 s before "CAON" goes out again.
        const QString noAt = unanswered(QStringLiteral("AT"), rig->scaled(2s));
        const QString connect = heardEvent(QStringLiteral("CONNECT"));
        const QString pause = paused(rig->scaled(500ms));
        const QString caon = heardEvent(QStringLiteral("CAON"));
        const QString noOk = unanswered(QStringLiteral("OK"), rig->scaled(4s));
        QCOMPARE(rig->requests(),
                 (QStringList{noAt, connect, unanswered(QStringLiteral("READY"), rig->scaled(2s)), pause, noAt, connect,
                              answered(QStringLiteral("READY"), rig->scaled(2s)), caon, noOk, pause, caon, noOk, pause,
                              caon, noOk, pause, caon, noOk}));
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
        // The acknowledgement awaited 2 s, then the write gave up.
        QCOMPARE(rig->requests().mid(rig->requests().size() - 2),
                 (QStringList{heardEvent(received.last()), unanswered(LineCRLF, rig->scaled(2s))}));
    }
};

QTEST_MAIN(TestWriteTiming)
#include "tst_write_timing.moc"
