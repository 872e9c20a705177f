#include "support/sequence_rig.h"

#include <QElapsedTimer>
#include <QTest>

using namespace std::chrono_literals;

// The one read and the one write at the real pace, each about a second against a logger that
// answers at once: the exchange as it goes on the wire, and its one pause seen on the clock.
// The other tests check the timings on what the sequences ask the link for.
class TestRealPace : public QObject
{
    Q_OBJECT

private slots:
    void readAtTheRealPace_logsTheExchange_andPausesBeforeTheMailBlock()
    {
        SequenceRig rig({}, 1.0);
        QVERIFY(rig.isValid());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(rig.readLogger());
        qInfo() << "read at the real pace in" << clock.elapsed() << "ms";

        // Echoed: the handshake, the model answer, every script line with its answer, "CAOFF"
        // and its answer; not echoed: "EERM0", "EERC9" and the answer to "EERC9".
        QString expected = QStringLiteral("AT\r\nCONNECT\r\nREADY\r\nCAON\r\nOK\r\nGSNV01.00\r\n");
        for (const QString &script : {QStringLiteral("select.eep"), QStringLiteral("select01.eep"), QStringLiteral("select02.eep")}) {
            for (const QString &line : scriptLines(rig.folder().readFile(script)))
                expected += line + QStringLiteral("\r\n") + rig.logger().value(line.chopped(1)) + QStringLiteral("\r\n");
        }
        expected += QStringLiteral("CAOFF\r\nOK\r\n");
        // The logger calls again at once after "CAOFF": its "AT" may come with the "OK".
        const QString log = rig.screen().log();
        QCOMPARE(log.left(expected.size()), expected);
        QVERIFY(log.size() == expected.size() || log.mid(expected.size()) == QStringLiteral("AT\r\n"));
        QCOMPARE(rig.requests().filter(QStringLiteral("pause ")), QStringList{paused(500ms)});
        QVERIFY(lastsAbout(rig.timeline().between(statusEvent(QStringLiteral("Ch情報取得終了")),
                                                   statusEvent(QStringLiteral("メールアドレス取得中"))),
                           500ms));
    }

    void writeAtTheRealPace_logsEveryLineAndItsAcknowledgementInOrder()
    {
        const auto rig = SequenceRig::afterRead({}, 1.0);
        QVERIFY(rig);
        QElapsedTimer clock;
        clock.start();
        rig->write();
        qInfo() << "write at the real pace in" << clock.elapsed() << "ms";
        QCOMPARE(rig->screen().messages(), QStringList{kWritten});

        QString expected = QStringLiteral("AT\r\nCONNECT\r\nREADY\r\nCAON\r\nOK\r\n");
        for (const QString &file : kWriteScriptFiles) {
            for (const QString &line : scriptLines(rig->folder().readFile(file)))
                expected += line + QStringLiteral("\r\nOK\r\n");
        }
        QCOMPARE(rig->screen().log(), expected);

        // Each block closes, shows its end, and the next opens, pausing before "ArmNet.eep"; the
        // screen stays locked until the write is done, and is given back before the message.
        QCOMPARE(rig->screen().statusesWithScreen(),
                 (QStringList{QStringLiteral("通信接続中 | channels"), QStringLiteral("メールアドレス書込中 | channels"),
                              QStringLiteral("メールアドレス書込完了 | channels"), QStringLiteral("設定書込中 | channels"),
                              QStringLiteral("設定書込完了 | channels"), QStringLiteral("接続設定書込中 | channels"),
                              QStringLiteral("書込完了 | channels")}));
        QCOMPARE(rig->screen().messagesWithScreen(),
                 QStringList{kWritten + QStringLiteral(" | channels, mail, connection, every command")});
        QCOMPARE(rig->requests().filter(QStringLiteral("pause ")), QStringList{paused(500ms)});
        QVERIFY(lastsAbout(rig->timeline().between(statusEvent(QStringLiteral("メールアドレス書込完了")),
                                                    statusEvent(QStringLiteral("設定書込中"))),
                           500ms));
    }
};

QTEST_MAIN(TestRealPace)
#include "tst_real_pace.moc"
