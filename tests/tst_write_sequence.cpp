#include "exchange/read_sequence.h"
#include "exchange/write_sequence.h"
#include "model/auth_type_selection.h"
#include "model/channel_row_editing.h"
#include "support/sequence_rig.h"

#include <QDir>
#include <QtTest>

namespace {

const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");
const QString kCannotWriteScript = QStringLiteral("書込ファイルを作成できません。");
const QString kWritten = QStringLiteral("設定の書き込みに成功しました。");
const QString kTimeout = QStringLiteral("レスポンスタイムアウト");

// Reads the logger first, so the screen holds a whole set of settings to write back.
bool readFirst(SequenceRig &rig)
{
    ReadSequence read(rig.context());
    read.ReadFromLogger(rig.portChoice());
    return rig.screen().messages().isEmpty() && rig.screen().statusText() == QStringLiteral("読込完了");
}

int countOf(const QStringList &lines, const QString &line)
{
    return static_cast<int>(lines.count(line));
}

QStringList scriptLines(const QByteArray &bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace

class TestWriteSequence : public QObject
{
    Q_OBJECT

private slots:
    void editedScreen_reachesTheLogger_andReadsBack()
    {
        QTemporaryDir loggerDir;
        SimulatedLoggerOptions options;
        options.settingsFile = loggerDir.filePath(QStringLiteral("logger.txt"));
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        ScreenModel &model = rig.model();

        // Row 1 gets another element, row 0 a limit in full-width digits, the first data address
        // full-width characters, and the authentication type another entry.
        QVERIFY(model.channelRow(1).Combo1().entries().size() >= 3);
        pickChannelElement(rig.state(), model, 1, 1);
        const QString pickedCode = rig.state().ChannelCode.at(1);
        QVERIFY(pickedCode != rig.logger().value(QStringLiteral("mode1")));
        model.channelRow(0).Text1().setText(QStringLiteral("－５．５"));
        model.dataAddresses().Text5(0).setText(QStringLiteral("ｎｅｗ＠ｅｘａｍｐｌｅ．ｊｐ"));
        model.connection().Text3(0).setText(QStringLiteral("ユーザー"));
        pickAuthType(rig.state(), model, 1);
        const QString authCode = model.authType().AuthLabel().caption();
        QCOMPARE(authCode, QString::number(rig.state().AuthCodes.at(1)));

        rig.screen().clearLog();
        WriteSequence write(rig.context());
        write.write(rig.portChoice());

        QCOMPARE(rig.screen().messages(), QStringList{kWritten});
        QCOMPARE(rig.screen().statusTexts().mid(rig.screen().statusTexts().lastIndexOf(QStringLiteral("通信接続中"))),
                 (QStringList{QStringLiteral("通信接続中"), QStringLiteral("メールアドレス書込中"),
                              QStringLiteral("メールアドレス書込完了"), QStringLiteral("設定書込中"),
                              QStringLiteral("設定書込完了"), QStringLiteral("接続設定書込中"), QStringLiteral("書込完了")}));
        QCOMPARE(rig.screen().calls().last(), QStringLiteral("UnlockScreen"));
        QVERIFY(!rig.link().isPortOpen());
        QCOMPARE(rig.logger().value(QStringLiteral("mode1")), pickedCode);
        QCOMPARE(rig.logger().value(QStringLiteral("ALARM0")), QStringLiteral("-5.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("CAEEWF0")), QStringLiteral("-5.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("CADATAADDRESS1")), QStringLiteral("new@example.jp"));
        QCOMPARE(rig.logger().value(QStringLiteral("CALOGINID")), QStringLiteral("ﾕｰｻﾞｰ"));
        QCOMPARE(rig.logger().value(QStringLiteral("CAAUTHTYPE")), authCode);
        // The acknowledgements of "Arm.eep" land in the channel image.
        QCOMPARE(rig.state().EepChannel.at(1), QStringLiteral("OK"));

        // A new read, by a logger started anew on the same settings, shows what was written.
        rig.connectNewLogger(options);
        ReadSequence read(rig.context());
        read.ReadFromLogger(rig.portChoice());
        QCOMPARE(model.channelRow(1).Combo1().editText(), rig.state().ModelItemName.at(1, model.channelRow(1).Combo1().currentEntry()->source));
        QCOMPARE(rig.state().ChannelCode.at(1), pickedCode);
        QCOMPARE(model.channelRow(0).Text1().text(), QStringLiteral("-5.5"));
        QCOMPARE(model.dataAddresses().Text5(0).text(), QStringLiteral("new@example.jp"));
        QCOMPARE(model.authType().AuthLabel().caption(), authCode);
    }

    void exchangeLog_holdsEveryLineAndItsAcknowledgementInOrder()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(rig.screen().messages(), (QStringList{kWritten}));

        QString expected = QStringLiteral("AT\r\nCONNECT\r\nREADY\r\nCAON\r\nOK\r\n");
        for (const QString &file : {QStringLiteral("Arm.eep"), QStringLiteral("mail.eep"), QStringLiteral("ArmNet.eep"),
                                    QStringLiteral("Mmail.eep")}) {
            for (const QString &line : scriptLines(rig.folder().readFile(file)))
                expected += line + QStringLiteral("\r\nOK\r\n");
        }
        QCOMPARE(rig.screen().log(), expected);
    }

    void loggerThatNeverCalls_isStillWritten()
    {
        SimulatedLoggerOptions options;
        options.neverSendAt = true;
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(rig.screen().messages(), QStringList{kWritten});
    }

    void commandModeAfterOneHandshakeRetry_isTriedFourTimes()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        SimulatedLoggerOptions options;
        options.ignoreHandshakes = 1;
        options.ignoreCaons = 1000;
        rig.connectNewLogger(options);
        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CONNECT")), 2);
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CAON")), 4);
        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.screen().calls().last(), QStringLiteral("UnlockScreen"));
        QVERIFY(rig.model().commands().Command1(1).isEnabled());
    }

    void lateAcknowledgement_failsAtThatLine_keepingTheLinesBefore()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        rig.model().channelRow(0).Text1().setText(QStringLiteral("-1.5"));
        rig.model().channelRow(1).Text1().setText(QStringLiteral("-2.5"));
        SimulatedLoggerOptions options;
        options.slowWriteKey = "ALARM3";
        rig.connectNewLogger(options);
        WriteSequence(rig.context()).write(rig.portChoice());

        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(rig.logger().value(QStringLiteral("ALARM0")), QStringLiteral("-1.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("ALARM2")), QStringLiteral("-2.5"));
        const QStringList received = rig.receivedLines();
        QVERIFY(received.last().startsWith(QStringLiteral("ALARM3=")));
        QVERIFY(!rig.link().isPortOpen());
    }

    void noRowTakesLimits_sendsAnEmptyAlarmNetScript()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        for (int row = 0; row < 16; ++row)
            rig.state().ModelAlarmFlag.at(row) = QStringLiteral("0");
        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(rig.screen().messages(), QStringList{kWritten});
        QCOMPARE(rig.folder().readFile(QStringLiteral("ArmNet.eep")), QByteArray());
        QVERIFY(rig.screen().statusTexts().join(u'|').contains(QStringLiteral("設定書込中|設定書込完了|接続設定書込中")));
        QVERIFY(rig.receivedLines().filter(QStringLiteral("CAEEWF")).isEmpty());
    }

    // An older copy of a script must never be sent as if it were the screen's.
    void scriptThatCannotBeWritten_endsTheWriteWithItsOwnMessage_data()
    {
        QTest::addColumn<QString>("blockedFile");
        QTest::addColumn<bool>("portTouched");
        QTest::newRow("Arm.eep") << QStringLiteral("Arm.eep") << false;
        QTest::newRow("ArmNet.eep") << QStringLiteral("ArmNet.eep") << false;
        QTest::newRow("mail.eep") << QStringLiteral("mail.eep") << true;
        QTest::newRow("Mmail.eep") << QStringLiteral("Mmail.eep") << true;
    }

    void scriptThatCannotBeWritten_endsTheWriteWithItsOwnMessage()
    {
        QFETCH(QString, blockedFile);
        QFETCH(bool, portTouched);
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        rig.connectNewLogger({});
        // A folder standing where the file goes cannot be replaced by a file, even for root.
        QVERIFY(QDir(rig.folder().filePath(QString())).mkdir(blockedFile));

        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(rig.screen().messages(), QStringList{kCannotWriteScript});
        QCOMPARE(rig.screen().calls().last(), QStringLiteral("UnlockScreen"));
        QVERIFY(!rig.link().isPortOpen());
        QCOMPARE(!rig.receivedLines().isEmpty(), portTouched);
        QVERIFY(rig.receivedLines().filter(QStringLiteral("CADATAADDRESS")).isEmpty());
    }

    void textTheLoggerCannotReceive_isNamedAndNothingIsSent_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("login id") << 3 << 0 << QStringLiteral("LoginID");
        QTest::newRow("APN") << 3 << 10 << QStringLiteral("APN");
        QTest::newRow("lower limit of row 3") << 0 << 3 << QStringLiteral("警報下限値 3");
        QTest::newRow("data address 2") << 2 << 1 << QStringLiteral("データ送信先アドレス 2");
    }

    void textTheLoggerCannotReceive_isNamedAndNothingIsSent()
    {
        QFETCH(int, page);
        QFETCH(int, index);
        QFETCH(QString, fieldName);
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        rig.connectNewLogger({});
        ScreenModel &model = rig.model();
        TextField &field = page == 3   ? model.connection().Text3(index)
                           : page == 2 ? model.dataAddresses().Text5(index)
                                       : model.channelRow(index).Text1();
        field.setText(QStringLiteral("10€"));
        const QByteArray olderArm = rig.folder().readFile(QStringLiteral("Arm.eep"));

        WriteSequence(rig.context()).write(rig.portChoice());
        QCOMPARE(rig.screen().statusText(), fieldName);
        QCOMPARE(rig.screen().messages(), QStringList{QStringLiteral("送信できない文字が含まれています。")});
        QCOMPARE(rig.screen().calls().last(), QStringLiteral("UnlockScreen"));
        QVERIFY(rig.receivedLines().isEmpty());
        QCOMPARE(rig.logger().phase(), SimulatedLogger::Phase::Released);
        QCOMPARE(rig.folder().readFile(QStringLiteral("Arm.eep")), olderArm);
    }

    void silentLogger_failsAfterThreeHandshakes()
    {
        SequenceRig rig;
        QVERIFY(rig.isValid());
        QVERIFY(readFirst(rig));
        SimulatedLoggerOptions options;
        options.neverSendAt = true;
        options.ignoreHandshakes = 1000;
        rig.connectNewLogger(options);
        WriteSequence write(rig.context());
        write.write(rig.portChoice());
        // Three attempts of 2 s for "AT" and 2 s for "READY", with two pauses of 0.5 s between them.
        QVERIFY2(qAbs(rig.screen().firstMessageAfterMs() - 13000) < 1500,
                 qPrintable(QString::number(rig.screen().firstMessageAfterMs())));
        QCOMPARE(countOf(rig.receivedLines(), QStringLiteral("CONNECT")), 3);
        QCOMPARE(rig.screen().statusText(), kTimeout);
        QCOMPARE(rig.screen().messages(), QStringList{kCannotOpenPort});
        QCOMPARE(write.SeqState(), qint16(WriteSequence::Failed));
        QVERIFY(rig.model().commands().Command1(0).isEnabled());
    }
};

QTEST_MAIN(TestWriteSequence)
#include "tst_write_sequence.moc"
