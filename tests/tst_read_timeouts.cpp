#include "link/line_ends.h"
#include "support/sequence_rig.h"

#include <QTest>

using namespace std::chrono_literals;

// The time-outs of the read's answers, at a small time scale: each block and query waits its
// own time for every answer, then the read gives up; the answer to "CAOFF" is not required.
class TestReadTimeouts : public QObject
{
    Q_OBJECT

private slots:
    void unansweredCommandModeOff_stillCompletesTheRead()
    {
        SequenceRig rig({.dropRepliesContaining = "CAOFF"});
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        QVERIFY(rig.readLogger());
        QCOMPARE(rig.requests().mid(rig.requests().size() - 2),
                 (QStringList{heardEvent(QStringLiteral("CAOFF")), unanswered(QStringLiteral("OK"), rig.scaled(4s))}));
    }

    // Each block has a time-out of its own for every answer; the "EERC9" query has one too.
    void missingAnswer_failsOnceItsTimeOutHasPassed_data()
    {
        QTest::addColumn<QByteArray>("unanswered");
        QTest::addColumn<int>("timeoutSeconds");
        QTest::addColumn<QString>("lastStatus");
        QTest::addColumn<QStringList>("shown");
        const QString read = QStringLiteral("read");
        QTest::newRow("EERC9") << QByteArray("EERC9") << 20 << QStringLiteral("Ch情報取得中") << QStringList{read};
        QTest::newRow("select.eep") << QByteArray("ALARM5?") << 20 << QStringLiteral("Ch情報取得中") << QStringList{read};
        QTest::newRow("select01.eep") << QByteArray("CADATAADDRESS3?") << 4 << QStringLiteral("メールアドレス取得中")
                                      << QStringList{QStringLiteral("channels"), read};
        QTest::newRow("select02.eep") << QByteArray("CADNS1?") << 10 << QStringLiteral("接続設定取得中")
                                      << QStringList{QStringLiteral("channels"), QStringLiteral("mail"), read};
    }

    void missingAnswer_failsOnceItsTimeOutHasPassed()
    {
        QFETCH(QByteArray, unanswered);
        QFETCH(int, timeoutSeconds);
        QFETCH(QString, lastStatus);
        QFETCH(QStringList, shown);
        SequenceRig rig({.dropRepliesContaining = unanswered});
        QVERIFY(rig.isValid());
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.screen().statusTexts().mid(rig.screen().statusTexts().size() - 2),
                 (QStringList{lastStatus, kResponseTimeout}));
        // Blocks shown before the failure stay on the screen.
        QCOMPARE(rig.screen().shown(), shown);
        // The last request: its time-out, then the read gave up.
        QCOMPARE(rig.requests().mid(rig.requests().size() - 2),
                 (QStringList{heardEvent(QString::fromLatin1(unanswered)),
                              ::unanswered(LineCRLF, rig.scaled(std::chrono::seconds(timeoutSeconds)))}));
        QVERIFY(!rig.link().isPortOpen());
    }
};

QTEST_MAIN(TestReadTimeouts)
#include "tst_read_timeouts.moc"
