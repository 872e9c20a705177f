#include "files/unsendable_text.h"
#include "link/link.h"
#include "link/reply_accumulator.h"
#include "support/script_samples.h"
#include "text/cp932.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A character code page 932 cannot hold, narrowed or not.
const QString kEuro = u"€"_s;

using Edit = std::function<void(AlarmScriptInputs &, MailScriptInputs &)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestUnsendableText : public QObject
{
    Q_OBJECT

private slots:
    void firstUnsendableField_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<std::optional<QString>>("field");

        QTest::newRow("all sendable") << Edit([](auto &, auto &) {}) << std::optional<QString>();
        QTest::newRow("kanji, katakana, symbols")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &m) {
                   a.lowerLimit[0] = u"温度①℃"_s;
                   m.connection[0] = u"ユーザー"_s;
                   m.connection[MailScriptInputs::kApnItem] = u"ﾃｽﾄ"_s;
               })
            << std::optional<QString>();
        // Their half-width forms would not be sendable; kept full width, they are.
        QTest::newRow("arrows, shapes and full-width yen")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &m) {
                   a.upperLimit[2] = u"→■○"_s;
                   m.dataAddress[0] = u"￥"_s;
               })
            << std::optional<QString>();
        QTest::newRow("limits of a row without limits are not sent")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.lowerLimit[1] = kEuro; })
            << std::optional<QString>();

        QTest::newRow("element code") << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.channelCode[4] = kEuro; })
                                      << std::optional(u"要素名 5"_s);
        QTest::newRow("lower limit") << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.lowerLimit[3] = kEuro; })
                                     << std::optional(u"警報下限値 4"_s);
        QTest::newRow("upper limit") << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.upperLimit[15] = kEuro; })
                                     << std::optional(u"警報上限値 16"_s);
        QTest::newRow("data address") << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.dataAddress[5] = kEuro; })
                                      << std::optional(u"データ送信先アドレス 6"_s);
        QTest::newRow("alarm address") << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.alarmAddress[0] = kEuro; })
                                       << std::optional(u"警報送信先アドレス 1"_s);
        QTest::newRow("auth caption") << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.authCaption = kEuro; })
                                      << std::optional(u"Auth"_s);
        QTest::newRow("emoji in a password")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.connection[4] = u"pw\U0001F600"_s; })
            << std::optional(u"POPPASS"_s);

        const QStringList captions = {u"LoginID"_s, u"LoginPass"_s, u"TelNo"_s, u"POPID"_s,
                                      u"POPPASS"_s, u"POPSERVER"_s, u"SMTPSERVER"_s, u"FromAddress"_s,
                                      u"DNS1"_s, u"DNS2"_s, u"APN"_s};
        for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i) {
            QTest::addRow("connection %d", i)
                << Edit([i](AlarmScriptInputs &, MailScriptInputs &m) { m.connection[i] = u"a"_s + kEuro; })
                << std::optional(captions.at(i));
        }

        // Control characters would break the line a value goes out on.
        QTest::newRow("line feed in an address")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.alarmAddress[1] = u"a@b\nCAOFF"_s; })
            << std::optional(u"警報送信先アドレス 2"_s);
        QTest::newRow("carriage return in a limit")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.lowerLimit[0] = u"1\r"_s; })
            << std::optional(u"警報下限値 1"_s);
        QTest::newRow("tab in a password")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.connection[1] = u"p\tw"_s; })
            << std::optional(u"LoginPass"_s);
        QTest::newRow("end-of-file code in an element code")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &) { a.channelCode[7] = u"1\x1A"_s; })
            << std::optional(u"要素名 8"_s);
        QTest::newRow("null in the APN")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) {
                   m.connection[MailScriptInputs::kApnItem] = QString(QChar(0)) + u"apn"_s;
               })
            << std::optional(u"APN"_s);
        QTest::newRow("delete in the auth caption")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.authCaption = u"1\x7F"_s; })
            << std::optional(u"Auth"_s);
        // An answer that was not valid code page 932 shows U+FFFD; it cannot go back as it came.
        QTest::newRow("invalid answer bytes in a server name")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) {
                   m.connection[5] = Cp932::decode(QByteArray::fromHex("706F7081"));
               })
            << std::optional(u"POPSERVER"_s);
        QTest::newRow("soft hyphen, which would vanish")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.connection[0] = u"user\u00ADname"_s; })
            << std::optional(u"LoginID"_s);
        QTest::newRow("undefined single bytes of an answer go back as they came")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &m) {
                   a.channelCode[0] = Cp932::decode(QByteArray::fromHex("80A0FDFEFF"));
                   m.connection[3] = Cp932::decode(QByteArray::fromHex("80A0FDFEFF"));
               })
            << std::optional<QString>();
        QTest::newRow("C1 control from an answer byte 0x80")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) { m.dataAddress[0] = u"\u0080"_s; })
            << std::optional<QString>();

        // Several unsendable values: the one sent first is named.
        QTest::newRow("row order beats column")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &) {
                   a.channelCode[5] = kEuro;
                   a.upperLimit[2] = kEuro;
               })
            << std::optional(u"警報上限値 3"_s);
        QTest::newRow("channel rows before addresses")
            << Edit([](AlarmScriptInputs &a, MailScriptInputs &m) {
                   m.dataAddress[0] = kEuro;
                   a.upperLimit[15] = kEuro;
               })
            << std::optional(u"警報上限値 16"_s);
        QTest::newRow("data address before alarm address of the same number")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) {
                   m.alarmAddress[2] = kEuro;
                   m.dataAddress[2] = kEuro;
               })
            << std::optional(u"データ送信先アドレス 3"_s);
        QTest::newRow("addresses before connection settings")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) {
                   m.connection[0] = kEuro;
                   m.alarmAddress[5] = kEuro;
               })
            << std::optional(u"警報送信先アドレス 6"_s);
        QTest::newRow("login before the topmost APN box")
            << Edit([](AlarmScriptInputs &, MailScriptInputs &m) {
                   m.connection[MailScriptInputs::kApnItem] = kEuro;
                   m.connection[0] = kEuro;
               })
            << std::optional(u"LoginID"_s);
    }

    void firstUnsendableField()
    {
        QFETCH(Edit, edit);
        QFETCH(std::optional<QString>, field);
        AlarmScriptInputs alarm = sampleAlarmRows();
        MailScriptInputs mail = sampleMailSettings();
        edit(alarm, mail);
        QCOMPARE(::firstUnsendableField(alarm, mail), field);
    }

    // Read as an answer, shown, and sent back unchanged: the same bytes reach the logger.
    void answerWithUndefinedBytes_isWrittenBackByteIdentical()
    {
        const QByteArray answer = QByteArray::fromHex("80A0FDFEFF");
        ReplyAccumulator received;
        received.append("CAPOPID=" + answer + "\r\n");
        const QString shown = StripLineEnds(received.text()).mid(8);

        AlarmScriptInputs alarm = sampleAlarmRows();
        alarm.channelCode[0] = shown;
        MailScriptInputs mail = sampleMailSettings();
        mail.connection[3] = shown;
        QCOMPARE(::firstUnsendableField(alarm, mail), std::nullopt);
        QVERIFY(armScriptBytes(alarm).startsWith("mode0=" + answer + "\r\n"));
        QVERIFY(connectionScriptBytes(mail).contains("\r\nCAPOPID=" + answer + "\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestUnsendableText)
#include "tst_unsendable_text.moc"
