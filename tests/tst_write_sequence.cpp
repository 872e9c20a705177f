// Linked without any widget: the read and the write run on the screen model alone.
#if defined(QT_WIDGETS_LIB) || defined(QT_GUI_LIB)
#error "the exchange must run without a screen: nothing here may link Qt Widgets or Qt Gui"
#endif

#include "model/auth_type_selection.h"
#include "model/channel_row_editing.h"
#include "support/sequence_rig.h"

#include <QDir>
#include <QTest>

namespace {

const QString kCannotWriteScript = QStringLiteral("書込ファイルを作成できません。");

} // namespace

class TestWriteSequence : public QObject
{
    Q_OBJECT

private slots:
    void editedScreen_reachesTheLogger_andReadsBack()
    {
        QTemporaryDir loggerDir;
        const SimulatedLoggerOptions options{.settingsFile = loggerDir.filePath(QStringLiteral("logger.txt"))};
        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        QVERIFY(rig.readLogger());
        ScreenModel &model = rig.model();

        // The operator's edits, made on the model: row 1 gets another element, row 0 limits in
        // full-width digits, an alarm address, the first data address full-width characters,
        // and the authentication type another entry.
        QVERIFY(model.channelRow(1).Combo1().entries().size() >= 3);
        pickChannelElement(rig.state(), model, 1, 1);
        const QString pickedCode = rig.state().ChannelCode.at(1);
        QVERIFY(pickedCode != rig.logger().value(QStringLiteral("mode1")));
        model.channelRow(0).Text1().setText(QStringLiteral("－５．５"));
        model.channelRow(0).Text2().setText(QStringLiteral("８０．５"));
        model.alarmAddresses().Text4(5).setText(QStringLiteral("night@example.jp"));
        model.dataAddresses().Text5(0).setText(QStringLiteral("ｎｅｗ＠ｅｘａｍｐｌｅ．ｊｐ"));
        model.connection().Text3(0).setText(QStringLiteral("ユーザー"));
        pickAuthType(rig.state(), model, 1);
        const QString authCode = model.authType().AuthLabel().caption();
        QCOMPARE(authCode, QString::number(rig.state().AuthCodes.at(1)));

        QVERIFY(rig.write().succeeded());

        QCOMPARE(rig.screen().messages(), QStringList{kWritten});
        QCOMPARE(rig.screen().shown().last(), QStringLiteral("every command"));
        QVERIFY(!rig.link().isPortOpen());
        QCOMPARE(rig.logger().value(QStringLiteral("mode1")), pickedCode);
        QCOMPARE(rig.logger().value(QStringLiteral("ALARM0")), QStringLiteral("-5.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("CAEEWF0")), QStringLiteral("-5.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("ALARM1")), QStringLiteral("80.5"));
        QCOMPARE(rig.logger().value(QStringLiteral("CAALARMADDRESS6")), QStringLiteral("night@example.jp"));
        QCOMPARE(rig.logger().value(QStringLiteral("CADATAADDRESS1")), QStringLiteral("new@example.jp"));
        QCOMPARE(rig.logger().value(QStringLiteral("CALOGINID")), QStringLiteral("ﾕｰｻﾞｰ"));
        QCOMPARE(rig.logger().value(QStringLiteral("CAAUTHTYPE")), authCode);
        // The acknowledgements of "Arm.eep" land in the channel image.
        QCOMPARE(rig.state().EepChannel.at(1), QStringLiteral("OK"));

        // A fresh screen, read by a logger started anew on the same settings, shows what was written.
        rig.connectNewLogger(options);
        model.channelRow(0).Text2().setText(QString());
        QVERIFY(rig.readLogger());
        QCOMPARE(model.channelRow(1).Combo1().currentIndex(), 1);
        QCOMPARE(model.channelRow(1).Combo1().editText(), rig.state().ModelItemName.at(1, model.channelRow(1).Combo1().currentEntry()->source));
        QCOMPARE(rig.state().ChannelCode.at(1), pickedCode);
        QCOMPARE(model.channelRow(0).Text1().text(), QStringLiteral("-5.5"));
        QCOMPARE(model.channelRow(0).Text2().text(), QStringLiteral("80.5"));
        QCOMPARE(model.alarmAddresses().Text4(5).text(), QStringLiteral("night@example.jp"));
        QCOMPARE(model.dataAddresses().Text5(0).text(), QStringLiteral("new@example.jp"));
        QCOMPARE(model.authType().setObserbox().editText(), rig.state().AuthNames.at(1));
        QCOMPARE(model.authType().AuthLabel().caption(), authCode);
    }

    void noRowTakesLimits_sendsAnEmptyAlarmNetScript()
    {
        const auto rig = SequenceRig::afterRead();
        QVERIFY(rig);
        for (int row = 0; row < 16; ++row)
            rig->state().ModelAlarmFlag.at(row) = QStringLiteral("0");
        rig->write();
        QCOMPARE(rig->screen().messages(), QStringList{kWritten});
        QCOMPARE(rig->folder().readFile(QStringLiteral("ArmNet.eep")), QByteArray());
        QVERIFY(rig->screen().statusTexts().join(u'|').contains(QStringLiteral("設定書込中|設定書込完了|接続設定書込中")));
        QVERIFY(rig->receivedLines().filter(QStringLiteral("CAEEWF")).isEmpty());
    }

    // All four files are in before the port opens: an older copy is never sent as the screen's,
    // and a file that cannot be written leaves the logger untouched.
    void scriptThatCannotBeWritten_endsTheWriteBeforeThePortOpens_data()
    {
        QTest::addColumn<QString>("blockedFile");
        for (const QString &file : kWriteScriptFiles)
            QTest::newRow(qPrintable(file)) << file;
    }

    void scriptThatCannotBeWritten_endsTheWriteBeforeThePortOpens()
    {
        QFETCH(QString, blockedFile);
        const auto rig = SequenceRig::afterRead();
        QVERIFY(rig);
        // A folder standing where the file goes cannot be replaced by a file, even for root.
        QVERIFY(QDir(rig->folder().filePath(QString())).mkdir(blockedFile));

        rig->write();
        QCOMPARE(rig->screen().messages(), QStringList{kCannotWriteScript});
        QCOMPARE(rig->screen().shown().last(), QStringLiteral("every command"));
        QVERIFY(rig->receivedLines().isEmpty());
        QCOMPARE(rig->logger().phase(), SimulatedLogger::Phase::Released);
        QCOMPARE(rig->screen().statusText(), kReadDone);
    }

    void textTheLoggerCannotReceive_isNamedAndNothingIsSent_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("login id") << 3 << 0 << QStringLiteral("LoginID");
        QTest::newRow("APN") << 3 << 10 << QStringLiteral("APN");
        QTest::newRow("lower limit of the row ChNo 4") << 0 << 3 << QStringLiteral("警報下限値 4");
        QTest::newRow("data address 2") << 2 << 1 << QStringLiteral("データ送信先アドレス 2");
    }

    void textTheLoggerCannotReceive_isNamedAndNothingIsSent()
    {
        QFETCH(int, page);
        QFETCH(int, index);
        QFETCH(QString, fieldName);
        const auto rig = SequenceRig::afterRead();
        QVERIFY(rig);
        ScreenModel &model = rig->model();
        TextField &field = page == 3   ? model.connection().Text3(index)
                           : page == 2 ? model.dataAddresses().Text5(index)
                                       : model.channelRow(index).Text1();
        field.setText(QStringLiteral("10€"));
        const QByteArray olderArm = rig->folder().readFile(QStringLiteral("Arm.eep"));

        rig->write();
        QCOMPARE(rig->screen().statusText(), u"送信できない文字: "_qs + fieldName);
        QCOMPARE(rig->screen().messages(), QStringList{QStringLiteral("送信できない文字が含まれています。")});
        QCOMPARE(rig->screen().shown().last(), QStringLiteral("every command"));
        QVERIFY(rig->receivedLines().isEmpty());
        QCOMPARE(rig->logger().phase(), SimulatedLogger::Phase::Released);
        QCOMPARE(rig->folder().readFile(QStringLiteral("Arm.eep")), olderArm);
    }

    // The wire trace and the simulated logger's own trace show neither password, read or written.
    void passwords_neverReachTheLogs()
    {
        static QStringList logged;
        logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            logged.append(text);
        });
        QLoggingCategory::setFilterRules(QStringLiteral("telvaro.*.debug=true"));
        const auto rig = SequenceRig::afterRead();
        bool written = false;
        if (rig) {
            rig->model().connection().Text3(1).setText(QStringLiteral("s3cretLogin"));
            rig->model().connection().Text3(4).setText(QStringLiteral("s3cretPop"));
            // A logger that echoes every command brings the values back on the other way too.
            rig->connectNewLogger({.echoCommands = true});
            rig->write();
            written = rig->screen().messages() == QStringList{kWritten};
        }
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(previous);

        QVERIFY(rig);
        QVERIFY(written);
        QCOMPARE(rig->logger().value(QStringLiteral("CALOGINPASS")), QStringLiteral("s3cretLogin"));
        const QString all = logged.join(u'\n');
        for (const QString &secret : {QStringLiteral("pass01"), QStringLiteral("s3cretLogin"), QStringLiteral("s3cretPop")})
            QVERIFY2(!all.contains(secret), qPrintable(secret));
        QVERIFY2(all.contains(QStringLiteral("CALOGINPASS=********")), qPrintable(all.right(2000)));
        QVERIFY(all.contains(QStringLiteral("CAPOPPASS=********")));
        QVERIFY(all.contains(QStringLiteral("CALOGINID=user01")));
    }
};

QTEST_MAIN(TestWriteSequence)
#include "tst_write_sequence.moc"
