#include "files/mail_scripts.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QTest>


using namespace Qt::StringLiterals;

namespace {

// A distinct value in every connection box, so that a line taken from the wrong box shows.
MailScriptInputs connectionSettings()
{
    MailScriptInputs inputs;
    inputs.connection = {u"user01"_s,       u"pass01"_s,        u"0312345678"_s,       u"popuser"_s,
                         u"poppass"_s,      u"pop.example.jp"_s, u"smtp.example.jp"_s, u"logger@example.jp"_s,
                         u"192.168.0.1"_s,  u"192.168.0.2"_s,   u"apn.example.jp"_s};
    inputs.authCaption = u"2"_s;
    return inputs;
}

const QByteArray kConnectionLines = "CALOGINID=user01\r\n"
                                    "CALOGINPASS=pass01\r\n"
                                    "CATELNO=0312345678\r\n"
                                    "CAPOPID=popuser\r\n"
                                    "CAPOPPASS=poppass\r\n"
                                    "CAPOPSERVER=pop.example.jp\r\n"
                                    "CASMTPSERVER=smtp.example.jp\r\n"
                                    "CAFROMADDRESS=logger@example.jp\r\n"
                                    "CADNS1=192.168.0.1\r\n"
                                    "CADNS2=192.168.0.2\r\n"
                                    "CAAPN=apn.example.jp\r\n";

} // namespace

class TestMailScript : public QObject
{
    Q_OBJECT

private slots:
    void addressLines_alternateDataAndAlarm_numberedFromOne()
    {
        MailScriptInputs inputs;
        for (int i = 0; i < MailScriptInputs::kAddresses; ++i) {
            inputs.dataAddress[i] = u"d%1@example.jp"_s.arg(i);
            inputs.alarmAddress[i] = u"a%1@example.jp"_s.arg(i);
        }
        QCOMPARE(mailScriptBytes(inputs), QByteArray("CADATAADDRESS1=d0@example.jp\r\n"
                                                     "CAALARMADDRESS1=a0@example.jp\r\n"
                                                     "CADATAADDRESS2=d1@example.jp\r\n"
                                                     "CAALARMADDRESS2=a1@example.jp\r\n"
                                                     "CADATAADDRESS3=d2@example.jp\r\n"
                                                     "CAALARMADDRESS3=a2@example.jp\r\n"
                                                     "CADATAADDRESS4=d3@example.jp\r\n"
                                                     "CAALARMADDRESS4=a3@example.jp\r\n"
                                                     "CADATAADDRESS5=d4@example.jp\r\n"
                                                     "CAALARMADDRESS5=a4@example.jp\r\n"
                                                     "CADATAADDRESS6=d5@example.jp\r\n"
                                                     "CAALARMADDRESS6=a5@example.jp\r\n"));
    }

    void emptyAddressBoxes_stillGiveTwelveLines()
    {
        QCOMPARE(mailScriptBytes(MailScriptInputs{}),
                 QByteArray("CADATAADDRESS1=\r\nCAALARMADDRESS1=\r\nCADATAADDRESS2=\r\nCAALARMADDRESS2=\r\n"
                            "CADATAADDRESS3=\r\nCAALARMADDRESS3=\r\nCADATAADDRESS4=\r\nCAALARMADDRESS4=\r\n"
                            "CADATAADDRESS5=\r\nCAALARMADDRESS5=\r\nCADATAADDRESS6=\r\nCAALARMADDRESS6=\r\n"));
    }

    void addressBoxesAreNarrowed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("full-width at sign and digits") << u"ｕｓｅｒ１２＠ｅｘａｍｐｌｅ．ｊｐ"_s
                                                       << QByteArray("user12@example.jp");
        QTest::newRow("half-width katakana") << u"ﾃｽﾄ@example.jp"_s
                                             << QByteArray::fromHex("c3bdc4") + "@example.jp";
        QTest::newRow("kanji") << u"東京@example.jp"_s << QByteArray::fromHex("938c8b9e") + "@example.jp";
        QTest::newRow("full-width katakana") << u"テスト"_s << QByteArray::fromHex("c3bdc4");
    }

    void addressBoxesAreNarrowed()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, sent);
        MailScriptInputs inputs;
        inputs.alarmAddress[5] = typed;
        const QList<QByteArray> lines = mailScriptBytes(inputs).split('\n');
        QCOMPARE(lines.at(11), "CAALARMADDRESS6=" + sent + '\r');
    }

    void connectionLines_followTheFieldIndexes_thenTheAuthType()
    {
        // The APN box is the topmost field of its page but goes out as line 11.
        QCOMPARE(connectionScriptBytes(connectionSettings()), kConnectionLines + "CAAUTHTYPE=2\r\n");
    }

    void authCaption_isWrittenUnnarrowed_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::newRow("empty") << QString() << QByteArray("CAAUTHTYPE=\r\n");
        QTest::newRow("decimal code") << u"3"_s << QByteArray("CAAUTHTYPE=3\r\n");
        QTest::newRow("full-width digit") << u"１"_s << "CAAUTHTYPE=" + QByteArray::fromHex("8250") + "\r\n";
    }

    void authCaption_isWrittenUnnarrowed()
    {
        QFETCH(QString, caption);
        QFETCH(QByteArray, lastLine);
        MailScriptInputs inputs = connectionSettings();
        inputs.authCaption = caption;
        QCOMPARE(connectionScriptBytes(inputs), kConnectionLines + lastLine);
    }

    void connectionBoxesAreNarrowed()
    {
        MailScriptInputs inputs;
        inputs.connection[2] = u"０３－１２３４"_s;
        inputs.connection[MailScriptInputs::kApnItem] = u"ａｐｎ．ｊｐ"_s;
        const QList<QByteArray> lines = connectionScriptBytes(inputs).split('\n');
        QCOMPARE(lines.size(), 13); // twelve lines and what follows the last line end
        QCOMPARE(lines.at(2), QByteArray("CATELNO=03-1234\r"));
        QCOMPARE(lines.at(10), QByteArray("CAAPN=apn.jp\r"));
        QCOMPARE(lines.at(11), QByteArray("CAAUTHTYPE=\r"));
    }

    void build_writesBothFiles_overEarlierCopies()
    {
        TempAppFolder folder;
        folder.writeFile(u"Mmail.eep"_s, QByteArray("CALOGINID=stale\r\n"));
        MailScriptInputs inputs = connectionSettings();
        inputs.dataAddress[0] = u"d@example.jp"_s;

        QVERIFY(BuildMailScript(folder.appFolder(), inputs, DeviceImageBytes{}));
        QCOMPARE(folder.readFile(u"mail.eep"_s), mailScriptBytes(inputs));
        QVERIFY(folder.readFile(u"mail.eep"_s).startsWith("CADATAADDRESS1=d@example.jp\r\n"));
        QCOMPARE(folder.readFile(u"Mmail.eep"_s), kConnectionLines + "CAAUTHTYPE=2\r\n");
    }

};

QTEST_GUILESS_MAIN(TestMailScript)
#include "tst_mail_script.moc"
