#include "files/env_file.h"
#include "support/exchange_timing.h"
#include "support/widgets/logger_bench.h"
#include "support/widgets/scripted_operator.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The counts the progress bar showed, and whether it was there, each time the exchange moved on.
class ProgressWatch
{
public:
    explicit ProgressWatch(LoggerBench &bench)
        : m_bar(bench.window().findChild<QProgressBar *>(u"ExchangeProgress"_s))
    {
        QObject::connect(&bench.fixture().screen(), &ScreenModel::progressChanged, m_bar, [this] {
            m_seen.append(m_bar->isVisibleTo(m_bar->window()) ? u"%1/%2"_s.arg(m_bar->value()).arg(m_bar->maximum()) : u"-"_s);
        });
    }

    const QStringList &seen() const { return m_seen; }
    bool shown() const { return m_bar->isVisibleTo(m_bar->window()); }

private:
    QProgressBar *m_bar;
    QStringList m_seen;
};

} // namespace

// What a failed exchange says behind its message box, and the progress an exchange shows.
class TestExchangeDetails : public QObject
{
    Q_OBJECT

private slots:
    void missingDevice_namesThePort_andWhatToCheck()
    {
        QTemporaryDir ports;
        QVERIFY(QFile::link(ports.filePath(u"unplugged"_s), ports.filePath(u"com1"_s)));
        WindowFixture fixture(TempAppFolder::allInstallFiles(), ports.path());
        QVERIFY(fixture.isValid());
        QVERIFY(SaveEnv(PortChoice{0, 5}));
        fixture.open();
        ScriptedOperator operatorAtTheScreen;

        QTest::mouseClick(fixture.controls().Command1.at(0), Qt::LeftButton);
        QVERIFY(fixture.exchangeEnds());

        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        const ScriptedOperator::SeenBox &box = operatorAtTheScreen.boxes().first();
        QCOMPARE(box.text, u"通信ポートを開けません。"_s);
        const QStringList details = box.details.split(u'\n');
        QCOMPARE(details.size(), 4);
        QVERIFY2(details.at(0).startsWith(u"通信ポート COM1 (%1) を開けませんでした: "_s.arg(ports.filePath(u"com1"_s))),
                 qPrintable(details.at(0)));
        // The link is there, its adapter is not: the device it was meant to reach is named.
        QCOMPARE(details.at(1), u"COM1 の割り当て先 %1 がありません。"_s.arg(ports.filePath(u"unplugged"_s)));
        QCOMPARE(details.at(2), u"そのようなデバイスはありません。ロガーのケーブル（USB変換器）がつながっているか、"
                                u"「通信設定」でロガーのつながっているポートを選んでいるかを確かめてください。"_s);
        QCOMPARE(details.at(3), u"「ツール」→「シリアルポートの割り当て」で、シリアルポートの一覧を見て、ポートに COM 名を割り当てられます。"_s);
    }

    void silentLogger_saysWhatWentUnanswered_andHowLong()
    {
        const SimulatedLoggerOptions silent{.neverSendAt = true, .ignoreHandshakes = 100};
        LoggerBench bench(silent, kTestTimeScale); // nothing answers: no wait can be cut short
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen;
        ProgressWatch progress(bench);

        QVERIFY(!bench.read());

        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        QCOMPARE(operatorAtTheScreen.boxes().first().text, u"通信ポートを開けません。"_s);
        // Three handshakes, each waiting the read's 2 s for "READY" at the bench's pace.
        QCOMPARE(operatorAtTheScreen.boxes().first().details,
                 u"ロガーが「CONNECT」に応答しませんでした。「READY」を 0.1 秒待ちました（3 回）。"_s);
        // The bar keeps how far the exchange came until the next one starts.
        QCOMPARE(progress.seen(), (QStringList{u"0/72"_s, u"0/72"_s}));
        QVERIFY(progress.shown());
    }

    void writeStoppingInMailEep_saysHowMuchTheLoggerTook()
    {
        LoggerBench bench({.dropRepliesContaining = "CAALARMADDRESS2="});
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen;
        QVERIFY(bench.read());
        ProgressWatch progress(bench);

        QVERIFY(!bench.write());

        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        QCOMPARE(operatorAtTheScreen.boxes().first().text, u"通信ポートを開けません。"_s);
        QCOMPARE(operatorAtTheScreen.boxes().first().details,
                 u"ロガーが「CAALARMADDRESS2=alarm2@example.jp」に応答しませんでした。応答を 0.5 秒待ちました。\n\n"
                 u"ロガーの設定は一部だけ書き換えられています\n"
                 u"Arm.eep: 40 行のうち 40 行を受け付けました\n"
                 u"mail.eep: 12 行のうち 3 行を受け付けました\n"
                 u"ArmNet.eep: 24 行のうち 0 行を受け付けました\n"
                 u"Mmail.eep: 12 行のうち 0 行を受け付けました"_s);
        // 88 lines to send; the bar counted the 43 acknowledged, and stays there.
        QCOMPARE(progress.seen().size(), 45);
        QCOMPARE(progress.seen().first(), u"0/88"_s);
        QCOMPARE(progress.seen().at(43), u"43/88"_s);
        QCOMPARE(progress.seen().last(), u"43/88"_s);
    }

    void loggerHangingUpInAWrite_saysTheLineWasLost_notThatItWaited()
    {
        const SimulatedLoggerOptions options{.hangUpAfterCommands = 100}; // the read's commands, then part of Arm.eep
        // At the real pace: the loss must be seen well before the wait would have ended.
        LoggerBench bench(options);
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen;
        QVERIFY(bench.read());

        QVERIFY(!bench.write());

        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        QCOMPARE(operatorAtTheScreen.boxes().first().text, u"通信ポートを開けません。"_s);
        const QStringList details = operatorAtTheScreen.boxes().first().details.split(u'\n');
        QCOMPARE(details.first(), u"「ALARM15=50.0」の応答を待つ間に COM1 の回線が切れました。"
                                  u"ロガーが回線を切ったか、ケーブルかアダプターが抜かれました。"_s);
        QCOMPARE(details.value(2), u"ロガーの設定は一部だけ書き換えられています"_s);
    }

    void successfulReadAndWrite_countEveryLine_andTheBarStaysFull()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ProgressWatch progress(bench);
        QVERIFY(bench.read());
        QCOMPARE(progress.seen().size(), 74);
        for (int line = 0; line <= 72; ++line)
            QCOMPARE(progress.seen().at(line), u"%1/72"_s.arg(line));
        QCOMPARE(progress.seen().last(), u"72/72"_s);

        ScriptedOperator operatorAtTheScreen;
        QVERIFY(bench.write());
        QCOMPARE(operatorAtTheScreen.boxTexts(), QStringList{u"設定の書き込みに成功しました。"_s});
        QCOMPARE(progress.seen().at(74), u"0/88"_s);
        QCOMPARE(progress.seen().last(), u"88/88"_s);
        // Inside the window, beside the status panel.
        const QProgressBar *bar = bench.window().findChild<QProgressBar *>(u"ExchangeProgress"_s);
        QVERIFY(bench.window().rect().contains(QRect(bar->mapTo(&bench.window(), QPoint(0, 0)), bar->size())));
    }
};

QTEST_MAIN(TestExchangeDetails)
#include "tst_exchange_details.moc"
