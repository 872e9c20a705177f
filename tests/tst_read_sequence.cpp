#include "exchange/read_sequence.h"
#include "simulator/logger_settings.h"
#include "support/sequence_rig.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");
const QString kTimeout = QStringLiteral("レスポンスタイムアウト");

// A settings file whose alarm limits all differ, so a limit shown in the wrong row shows.
QString distinctLimitsSettings(const QTemporaryDir &dir)
{
    LoggerSettings settings(dir.filePath(QStringLiteral("logger.txt")));
    for (int n = 0; n < 32; ++n)
        settings.setValue("ALARM" + QByteArray::number(n), QByteArray::number(n) + ".5");
    QString error;
    if (!settings.save(&error))
        qWarning() << error;
    return settings.filePath();
}

SimulatedLoggerOptions model(const QByteArray &code, const QString &settingsFile = {})
{
    SimulatedLoggerOptions options;
    options.modelCode = code;
    options.settingsFile = settingsFile;
    return options;
}

int countOf(const QStringList &lines, const QString &line)
{
    return static_cast<int>(lines.count(line));
}

} // namespace

class TestReadSequence : public QObject
{
    Q_OBJECT

private slots:
    void fullRead_showsWhatTheLoggerHolds_data()
    {
        QTest::addColumn<QByteArray>("modelCode");
        QTest::addColumn<QString>("modelFile");
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("hasApn");
        QTest::newRow("16 channels with APN") << QByteArray("GSN") << QStringLiteral("Telvaro-GS-N.ini") << 16 << true;
        QTest::newRow("4 channels") << QByteArray("G4N") << QStringLiteral("Telvaro-G4-N.ini") << 4 << true;
        QTest::newRow("no APN item") << QByteArray("BRK5N") << QStringLiteral("Telvaro-BRK5-N.ini") << 5 << false;
        QTest::newRow("shared file") << QByteArray("VOSPELTN") << QStringLiteral("Telvaro-PELT-N.ini") << 12 << true;
    }

    void fullRead_showsWhatTheLoggerHolds()
    {
        QFETCH(QByteArray, modelCode);
        QFETCH(QString, modelFile);
        QFETCH(int, channels);
        QFETCH(bool, hasApn);
        QTemporaryDir settingsDir;
        SequenceRig rig(model(modelCode, distinctLimitsSettings(settingsDir)));
        QVERIFY2(rig.isValid(), "rig");
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());

        RecordingScreen &screen = rig.screen();
        QVERIFY2(screen.messages().isEmpty(), qPrintable(screen.messages().join(u'|')));
        QCOMPARE(screen.statusTexts(),
                 (QStringList{QStringLiteral("通信接続中"), QStringLiteral("Ch情報取得中"),
                              QStringLiteral("Ch情報取得終了"), QStringLiteral("メールアドレス取得中"),
                              QStringLiteral("メールアドレス取得終了"), QStringLiteral("接続設定取得中"),
                              QStringLiteral("読込完了")}));
        QCOMPARE(screen.calls(), (QStringList{QStringLiteral("ShowChannels"), QStringLiteral("ShowMailAddresses"),
                                             QStringLiteral("ShowConnection"), QStringLiteral("UnlockScreen")}));
        QCOMPARE(rig.state().ModelIniPath, rig.folder().appFolder().file(modelFile));
        QVERIFY(!rig.link().isPortOpen());
        QVERIFY(!rig.logger().isInCommandMode());

        const ScreenModel &model = rig.model();
        SettingsState &state = rig.state();
        // Channel rows: present ones enabled with the logger's element, absent ones disabled.
        int limitRow = 0;
        for (int row = 0; row < 16; ++row) {
            const bool present = row < channels;
            QCOMPARE(model.channelRow(row).Combo1().isEnabled(), present);
            if (!present)
                continue;
            // The logger's element where the model offers it; its default element otherwise.
            const QString code = rig.logger().value(QStringLiteral("mode%1").arg(row));
            bool offered = code == QStringLiteral("127");
            for (int field = 3; field <= 10; ++field)
                offered = offered || state.ModelItemCode.at(row, field) == code;
            if (offered)
                QCOMPARE(state.ChannelCode.at(row), code);
            QCOMPARE(model.channelRow(row).Label1().caption(), state.ModelChLabel.at(row));
            if (takesAlarmLimits(state, row)) {
                QCOMPARE(model.channelRow(row).Text1().text(), rig.logger().value(QStringLiteral("ALARM%1").arg(2 * limitRow)));
                QCOMPARE(model.channelRow(row).Text2().text(), rig.logger().value(QStringLiteral("ALARM%1").arg(2 * limitRow + 1)));
                QVERIFY(model.channelRow(row).Text1().isEnabled());
                ++limitRow;
            } else {
                QVERIFY(model.channelRow(row).Text1().text().isEmpty());
                QVERIFY(!model.channelRow(row).Text2().isEnabled());
            }
        }
        // Mail pages.
        QCOMPARE(model.alarmAddresses().Text4(0).text(), rig.logger().value(QStringLiteral("CAALARMADDRESS1")));
        QCOMPARE(model.dataAddresses().Text5(0).text(), rig.logger().value(QStringLiteral("CADATAADDRESS1")));
        QVERIFY(model.dataAddresses().Text5(5).isEnabled());
        // Connection page.
        QCOMPARE(model.connection().Text3(0).text(), rig.logger().value(QStringLiteral("CALOGINID")));
        QCOMPARE(model.connection().Text3(9).text(), rig.logger().value(QStringLiteral("CADNS2")));
        QCOMPARE(model.connection().Text3(10).isEnabled(), hasApn);
        QCOMPARE(model.authType().setObserbox().isEnabled(), hasApn);
        QCOMPARE(state.ApnAuthEnabled, hasApn ? kTrue : kFalse);
        if (hasApn) {
            QCOMPARE(model.connection().Text3(10).text(), rig.logger().value(QStringLiteral("CAAPN")));
            QCOMPARE(model.authType().AuthLabel().caption(), rig.logger().value(QStringLiteral("CAAUTHTYPE")));
        }
        QVERIFY(model.commands().Command1(1).isEnabled());

        // The exchange log: handshake, then every script line with its answer.
        QVERIFY(screen.log().startsWith(QStringLiteral("AT\r\nCONNECT\r\nREADY\r\nCAON\r\nOK\r\n")));
        QVERIFY(screen.log().contains(QStringLiteral("mode0?\r\n%1\r\n").arg(state.EepChannel.at(1))));
        QVERIFY(screen.log().contains(QStringLiteral("CAOFF\r\nOK\r\n")));
    }

    void loggerThatNeverCalls_isStillRead()
    {
        SimulatedLoggerOptions options;
        options.neverSendAt = true;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        QVERIFY(rig.screen().messages().isEmpty());
        QVERIFY(rig.screen().log().startsWith(QStringLiteral("CONNECT\r\nREADY\r\n")));
    }

    void handshakeAnsweredOnTheThirdTry_isRead()
    {
        SimulatedLoggerOptions options;
        options.ignoreHandshakes = 2;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CONNECT")), 3);
    }

    void commandModeAfterTwoHandshakeRetries_getsOnlyTwoMoreTries()
    {
        SimulatedLoggerOptions options;
        options.ignoreHandshakes = 2;
        options.ignoreCaons = 3;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CAON")), 3);
        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.screen().calls(), QStringList{QStringLiteral("ShowConnectionButtons")});
        QVERIFY(!rig.model().commands().Command1(1).isEnabled());
        QVERIFY(rig.model().commands().Command1(0).isEnabled());
        QVERIFY(!rig.link().isPortOpen());
    }

    void unknownModelCode_keepsThePreviousModelFile()
    {
        SequenceRig rig(model("G4N"));
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        const QString firstModel = rig.state().ModelIniPath;
        QVERIFY(firstModel.endsWith(QStringLiteral("Telvaro-G4-N.ini")));

        rig.connectNewLogger(model("XYZN"));
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.state().ModelIniPath, firstModel);
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
    }

    void unknownModelCodeInTheFirstRead_loadsNoModel()
    {
        SequenceRig rig(model("gsn"));
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QVERIFY(rig.state().ModelIniPath.isEmpty());
        QVERIFY(rig.state().ModelChLabel.at(0).isEmpty());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
    }

    void modelAnswerShorterThanSixCharacters_endsTheRead()
    {
        SimulatedLoggerOptions options;
        options.modelCode = "";
        options.modelSuffix = "V01";
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        // The error path keeps the last status text.
        QCOMPARE(rig.screen().statusText(), QStringLiteral("Ch情報取得中"));
        QCOMPARE(rig.screen().calls(), QStringList{QStringLiteral("ShowConnectionButtons")});
        QVERIFY(!rig.link().isPortOpen());
    }

    void missingReadScript_failsAtOnceWithoutTouchingThePort()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(QFile::remove(rig.folder().filePath(QStringLiteral("select.eep"))));
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QVERIFY(rig.screen().firstMessageAfterMs() < 500);
        QVERIFY(rig.screen().statusTexts().isEmpty());
        QCOMPARE(rig.logger().phase(), SimulatedLogger::Phase::Released);
        QVERIFY(rig.logger().receivedLines().isEmpty());
    }

    void channelScriptOf101Lines_overflowsAfterTheLastAnswer_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("fails");
        QTest::newRow("100 lines") << 100 << false;
        QTest::newRow("101 lines") << 101 << true;
    }

    void channelScriptOf101Lines_overflowsAfterTheLastAnswer()
    {
        QFETCH(int, lines);
        QFETCH(bool, fails);
        SequenceRig rig;
        QVERIFY(rig.isValid());
        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("ALARM5?\r\n").repeated(lines));
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("ALARM5?")), lines);
        QCOMPARE(rig.state().EepChannel.at(100), rig.logger().value(QStringLiteral("ALARM5")));
        QCOMPARE(rig.screen().messages().isEmpty(), !fails);
        QCOMPARE(rig.screen().statusText(), fails ? QStringLiteral("Ch情報取得中") : QStringLiteral("読込完了"));
    }

    void unansweredCommandModeOff_stillCompletesTheRead()
    {
        SimulatedLoggerOptions options;
        options.dropRepliesContaining = "CAOFF";
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence read(rig.context());
        QElapsedTimer clock;
        clock.start();
        read.ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        QVERIFY(rig.screen().messages().isEmpty());
        QVERIFY2(clock.elapsed() >= 4000, qPrintable(QString::number(clock.elapsed())));
    }

    void missingAnswerInABlock_failsWithTimeout()
    {
        SimulatedLoggerOptions options;
        options.dropRepliesContaining = "CADATAADDRESS3?";
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        // Blocks shown before the failure stay on the screen.
        QCOMPARE(rig.screen().calls(), (QStringList{QStringLiteral("ShowChannels"), QStringLiteral("ShowConnectionButtons")}));
        QCOMPARE(rig.model().channelRow(0).Label1().caption(), rig.state().ModelChLabel.at(0));
    }

    void secondReadWithFewerAnswers_keepsTheFirstReadsEntries()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        const QString entry40 = rig.state().EepChannel.at(40);
        QVERIFY(!entry40.isEmpty());

        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nmode1?\r\n"));
        rig.connectNewLogger({});
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        QCOMPARE(rig.state().EepChannel.at(40), entry40);
    }

    void repliesInPieces_areStoredWhole()
    {
        SimulatedLoggerOptions options;
        options.splitRepliesBytes = 2;
        options.splitPauseMs = 5;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nALARM0?\r\n"));
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        QCOMPARE(rig.state().EepChannel.at(1), rig.logger().value(QStringLiteral("mode0")));
        QCOMPARE(rig.state().EepChannel.at(2), rig.logger().value(QStringLiteral("ALARM0")));
    }

    void replyArrivingWithTheStartOfTheNextLine_isStoredJoined()
    {
        SimulatedLoggerOptions options;
        options.replyTrailer = "NE";
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nALARM0?\r\n"));
        ReadSequence(rig.context()).ReadFromLogger(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), QStringLiteral("読込完了"));
        // Each wait ends at the first line end and keeps what came with it; the next line's
        // wait starts from an emptied buffer.
        QCOMPARE(rig.state().EepChannel.at(1), rig.logger().value(QStringLiteral("mode0")) + QStringLiteral("NE"));
        QCOMPARE(rig.state().EepChannel.at(2), rig.logger().value(QStringLiteral("ALARM0")) + QStringLiteral("NE"));
    }

    void silentLogger_failsAfterThreeHandshakes()
    {
        SimulatedLoggerOptions options;
        options.neverSendAt = true;
        options.ignoreHandshakes = 1000;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());
        // Three attempts of 2 s for "AT" and 2 s for "READY", with two pauses of 2 s between them.
        QVERIFY2(qAbs(rig.screen().firstMessageAfterMs() - 16000) < 1500,
                 qPrintable(QString::number(rig.screen().firstMessageAfterMs())));
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CONNECT")), 3);
        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(read.SeqState(), qint16(ReadSequence::Failed));
    }
};

QTEST_MAIN(TestReadSequence)
#include "tst_read_sequence.moc"
