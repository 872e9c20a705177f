#include "link/line_ends.h"
#include "support/sequence_rig.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// A read, or a write after a first read, against a logger with these options.
std::unique_ptr<SequenceRig> rigFor(bool write, const SimulatedLoggerOptions &options)
{
    if (write)
        return SequenceRig::afterRead(options);
    auto rig = std::make_unique<SequenceRig>(options);
    rig->shortenReadScripts();
    return rig->isValid() ? std::move(rig) : nullptr;
}

// The attempts of a handshake with a logger that never calls, each but the last unanswered.
QStringList handshakes(const SequenceRig &rig, int attempts, std::chrono::milliseconds retryPause)
{
    QStringList requests;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        requests << unanswered(QStringLiteral("AT"), rig.scaled(2s)) << heardEvent(QStringLiteral("CONNECT"));
        if (attempt < attempts)
            requests << unanswered(QStringLiteral("READY"), rig.scaled(2s)) << paused(rig.scaled(retryPause));
    }
    return requests;
}

} // namespace

// The handshake, alike in the read and the write but for its retry pause, and the command mode
// and the model query of the read: each time-out, pause and retry limit shows in the waits and
// pauses the sequence asks the link for, between what the logger hears.
class TestReadTiming : public QObject
{
    Q_OBJECT

private slots:
    void handshake_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("ignored");
        QTest::addColumn<int>("retryPauseMs"); // at the real pace
        QTest::newRow("read, logger never calls") << false << 0 << 2000;
        QTest::newRow("read, answered on the third try") << false << 2 << 2000;
        QTest::newRow("write, logger never calls") << true << 0 << 500;
    }

    // A logger that never calls is answered once the wake-up wait is over; each unanswered
    // "CONNECT" is followed by the retry pause and the whole handshake again.
    void handshake()
    {
        QFETCH(bool, write);
        QFETCH(int, ignored);
        QFETCH(int, retryPauseMs);
        const auto rig = rigFor(write, {.neverSendAt = true, .ignoreHandshakes = ignored});
        QVERIFY(rig);
        if (write) {
            rig->write();
            QCOMPARE(rig->screen().messages(), QStringList{kWritten});
        } else {
            QVERIFY(rig->readLogger());
            if (ignored == 0)
                QVERIFY(rig->screen().log().startsWith(QStringLiteral("CONNECT\r\nREADY\r\n")));
        }
        QCOMPARE(rig->timesReceived(QStringLiteral("CONNECT")), ignored + 1);
        const QStringList expected = handshakes(*rig, ignored + 1, std::chrono::milliseconds(retryPauseMs))
            << answered(QStringLiteral("READY"), rig->scaled(2s));
        QCOMPARE(rig->requests().mid(0, expected.size()), expected);
    }

    void silentLogger_failsAfterThreeHandshakes_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("retryPauseMs"); // at the real pace
        QTest::newRow("read") << false << 2000;
        QTest::newRow("write") << true << 500;
    }

    void silentLogger_failsAfterThreeHandshakes()
    {
        QFETCH(bool, write);
        QFETCH(int, retryPauseMs);
        const auto rig = rigFor(write, {.neverSendAt = true, .ignoreHandshakes = 1000});
        QVERIFY(rig);
        const ExchangeResult result = write ? rig->write() : rig->read();
        QCOMPARE(rig->timesReceived(QStringLiteral("CONNECT")), 3);
        QCOMPARE(rig->screen().statusText(), kResponseTimeout);
        QCOMPARE(rig->screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(result.outcome, ExchangeResult::Outcome::Failed);
        QVERIFY(rig->model().commands().Command1(0).isEnabled());
        // Three attempts of 2 s for "AT" and 2 s for "READY", with two retry pauses between them.
        QCOMPARE(rig->requests(), handshakes(*rig, 3, std::chrono::milliseconds(retryPauseMs))
                                      << unanswered(QStringLiteral("READY"), rig->scaled(2s)));
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
        const QString caon = heardEvent(QStringLiteral("CAON"));
        const QString noOk = unanswered(QStringLiteral("OK"), rig.scaled(4s));
        const QString pause = paused(rig.scaled(500ms));
        QCOMPARE(rig.requests().mid(rig.requests().indexOf(caon)),
                 (QStringList{caon, noOk, pause, caon, noOk, pause, caon, noOk}));
    }

    // Four retries in all, whatever their mix: after three for "CAON", "EERM0" gets one.
    void modelQueryAfterThreeCommandModeRetries_getsOneMoreTry()
    {
        SequenceRig rig({.ignoreCaons = 3, .dropRepliesContaining = "EERM0"});
        QVERIFY(rig.isValid());
        const ExchangeResult read = rig.read();
        QCOMPARE(rig.timesReceived(QStringLiteral("CAON")), 4);
        QCOMPARE(rig.timesReceived(QStringLiteral("EERM0")), 2);
        QCOMPARE(rig.screen().statusText(), kResponseTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(read.outcome, ExchangeResult::Outcome::Failed);
        // The answer awaited 2 s, then a pause of 2 s before "EERM0" goes out again.
        const QString caon = heardEvent(QStringLiteral("CAON"));
        const QString noOk = unanswered(QStringLiteral("OK"), rig.scaled(4s));
        const QString caonPause = paused(rig.scaled(500ms));
        const QString query = heardEvent(QStringLiteral("EERM0"));
        const QString noModel = unanswered(LineCRLF, rig.scaled(2s));
        QCOMPARE(rig.requests().mid(rig.requests().indexOf(caon)),
                 (QStringList{caon, noOk, caonPause, caon, noOk, caonPause, caon, noOk, caonPause, caon,
                              answered(QStringLiteral("OK"), rig.scaled(4s)), query, noModel, paused(rig.scaled(2s)),
                              query, noModel}));
        // "Ch情報取得中" shows again with each query.
        QCOMPARE(rig.screen().statusTexts().count(QStringLiteral("Ch情報取得中")), 2);
    }
};

QTEST_MAIN(TestReadTiming)
#include "tst_read_timing.moc"
