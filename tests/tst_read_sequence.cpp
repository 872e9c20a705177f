#include "exchange/exchange_session.h"
#include "simulator/logger_settings.h"
#include "support/sequence_rig.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

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
    const SimulatedLoggerOptions options{.modelCode = code, .settingsFile = settingsFile};
    return options;
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
        QVERIFY(rig.isValid());
        const ExchangeResult read = rig.read();

        RecordingScreen &screen = rig.screen();
        QVERIFY2(screen.messages().isEmpty(), qPrintable(screen.messages().join(u'|')));
        // Each block closes, shows its end, moves onto the screen, and the next one opens; the
        // connection page and the commands come last.
        QCOMPARE(screen.statusesWithScreen(),
                 (QStringList{QStringLiteral("通信接続中 | "), QStringLiteral("Ch情報取得中 | "),
                              QStringLiteral("Ch情報取得終了 | "), QStringLiteral("メールアドレス取得中 | channels"),
                              QStringLiteral("メールアドレス取得終了 | channels"),
                              QStringLiteral("接続設定取得中 | channels, mail"), kReadDone + QStringLiteral(" | channels, mail")}));
        QCOMPARE(screen.shown(), (QStringList{QStringLiteral("channels"), QStringLiteral("mail"),
                                              QStringLiteral("connection"), QStringLiteral("every command")}));
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
    }

    void unknownModelCode_keepsThePreviousModelFile()
    {
        SequenceRig rig(model("G4N"));
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        QVERIFY(rig.readLogger());
        const QString firstModel = rig.state().ModelIniPath;
        QVERIFY(firstModel.endsWith(QStringLiteral("Telvaro-G4-N.ini")));

        rig.connectNewLogger(model("XYZN"));
        QVERIFY(rig.isValid());
        QVERIFY(rig.readLogger());
        QCOMPARE(rig.state().ModelIniPath, firstModel);
    }

    void unknownModelCodeInTheFirstRead_loadsNoModel()
    {
        SequenceRig rig(model("gsn"));
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        QVERIFY(rig.readLogger());
        QVERIFY(rig.state().ModelIniPath.isEmpty());
        QVERIFY(rig.state().ModelChLabel.at(0).isEmpty());
    }

    void modelAnswerShorterThanSixCharacters_endsTheRead()
    {
        SequenceRig rig({.modelCode = "", .modelSuffix = "V01"});
        QVERIFY(rig.isValid());
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        // The error path keeps the last status text.
        QCOMPARE(rig.screen().statusText(), QStringLiteral("Ch情報取得中"));
        QCOMPARE(rig.screen().shown(), QStringList{QStringLiteral("read")});
        QVERIFY(!rig.link().isPortOpen());
    }

    void channelCountAnswer_mustBeEmptyOrA16BitNumber_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty") << QByteArray("") << true;
        QTest::newRow("largest") << QByteArray("32767") << true;
        QTest::newRow("smallest") << QByteArray("-32768") << true;
        QTest::newRow("beyond 16 bits") << QByteArray("32768") << false;
        QTest::newRow("not a number") << QByteArray("16ch") << false;
    }

    void channelCountAnswer_mustBeEmptyOrA16BitNumber()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, read);
        SequenceRig rig({.channelCountAnswer = answer});
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        QCOMPARE(rig.readLogger(), read);
        if (!read) {
            QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
            QCOMPARE(rig.timesReceived(QStringLiteral("mode0?")), 0);
            QVERIFY(!rig.link().isPortOpen());
        }
    }

    void missingReadScript_failsAtOnceWithoutTouchingThePort()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(QFile::remove(rig.folder().filePath(QStringLiteral("select.eep"))));
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QVERIFY(rig.requests().isEmpty()); // no wait, no pause
        QVERIFY(rig.screen().statusTexts().isEmpty());
        QCOMPARE(rig.logger().phase(), SimulatedLogger::Phase::Released);
        QVERIFY(rig.logger().receivedLines().isEmpty());
    }

    // The next script is opened before the pause and the status text that start its block.
    void missingMailScript_endsTheReadWithTheChannelsShown()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(QFile::remove(rig.folder().filePath(QStringLiteral("select01.eep"))));
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.screen().statusText(), QStringLiteral("Ch情報取得終了"));
        QCOMPARE(rig.screen().shown(), (QStringList{QStringLiteral("channels"), QStringLiteral("read")}));
        QVERIFY(!rig.link().isPortOpen());
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
        rig.read();
        QCOMPARE(rig.timesReceived(QStringLiteral("ALARM5?")), lines);
        QCOMPARE(rig.state().EepChannel.at(100), rig.logger().value(QStringLiteral("ALARM5")));
        QCOMPARE(rig.screen().messages().isEmpty(), !fails);
        QCOMPARE(rig.screen().statusText(), fails ? QStringLiteral("Ch情報取得中") : kReadDone);
    }

    void emptyMailScript_sendsNothing_andShowsTheMailAsItWas()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        rig.state().EepMail.at(1) = QStringLiteral("kept@example.jp");
        rig.shortenReadScripts();
        rig.folder().writeFile(QStringLiteral("select01.eep"), QByteArray());
        QVERIFY(rig.readLogger());
        QVERIFY(rig.receivedLines().filter(QRegularExpression(QStringLiteral("^CA(ALARM|DATA)ADDRESS"))).isEmpty());
        QCOMPARE(rig.model().alarmAddresses().Text4(0).text(), QStringLiteral("kept@example.jp"));
    }

    void secondReadWithFewerAnswers_keepsTheFirstReadsEntries()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(rig.readLogger());
        const QString entry40 = rig.state().EepChannel.at(40);
        QVERIFY(!entry40.isEmpty());

        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nmode1?\r\n"));
        rig.connectNewLogger({});
        QVERIFY(rig.readLogger());
        QCOMPARE(rig.state().EepChannel.at(40), entry40);
    }

    void repliesInPieces_areStoredWhole()
    {
        SequenceRig rig({.splitPause = 100ms, .splitRepliesBytes = 2});
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nALARM0?\r\n"));
        QVERIFY(rig.readLogger());
        QCOMPARE(rig.state().EepMail.at(1), rig.logger().value(QStringLiteral("CAALARMADDRESS1")));
        QCOMPARE(rig.state().EepConnect.at(1), rig.logger().value(QStringLiteral("CAAPN")));
        QCOMPARE(rig.state().EepChannel.at(1), rig.logger().value(QStringLiteral("mode0")));
        QCOMPARE(rig.state().EepChannel.at(2), rig.logger().value(QStringLiteral("ALARM0")));
    }

    void replyArrivingWithTheStartOfTheNextLine_isStoredJoined()
    {
        SequenceRig rig({.replyTrailer = "NE"});
        QVERIFY(rig.isValid());
        rig.shortenReadScripts();
        rig.folder().writeFile(QStringLiteral("select.eep"), QByteArray("mode0?\r\nALARM0?\r\n"));
        QVERIFY(rig.readLogger());
        // Each wait ends at the first line end and keeps what came with it; the next line's
        // wait starts from an emptied buffer.
        QCOMPARE(rig.state().EepChannel.at(1), rig.logger().value(QStringLiteral("mode0")) + QStringLiteral("NE"));
        QCOMPARE(rig.state().EepChannel.at(2), rig.logger().value(QStringLiteral("ALARM0")) + QStringLiteral("NE"));
    }

    // The program may end in mid-exchange (the window destroyed from outside, the application
    // quitting): the session goes, and with it the port, at once and without a message.
    void sessionGoingInMidRead_releasesThePortAtOnce()
    {
        SimulatedLoggerFixture logger({.neverSendAt = true, .ignoreHandshakes = 1000});
        QVERIFY(logger.isValid());
        TempAppFolder folder(TempAppFolder::allInstallFiles());
        auto session = std::make_unique<ExchangeSession>(folder.appFolder(),
                                                         std::make_unique<QtSerialLine>(logger.portsFolder()));
        RecordingScreen screen(session->screen());
        session->setBoxes(&screen);
        session->startRead(PortChoice{0, 5});
        QVERIFY(session->isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(logger.logger().phase(), SimulatedLogger::Phase::Waking, 2000);

        session.reset();
        QTRY_COMPARE_WITH_TIMEOUT(logger.logger().phase(), SimulatedLogger::Phase::Released, 2000);
        QVERIFY(screen.messages().isEmpty());
    }
};

QTEST_MAIN(TestReadSequence)
#include "tst_read_sequence.moc"
