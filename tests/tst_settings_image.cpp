#include "settings/settings_image.h"
#include "state/settings_state.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Rows 0 and 2 take limits, row 1 does not ("0"), row 3 does (an empty flag), the rest do not.
SettingsState modelWithMixedRows()
{
    SettingsState state;
    for (int row = 0; row <= 16; ++row)
        state.ModelAlarmFlag.at(row) = u"0"_s;
    state.ModelAlarmFlag.at(0) = u"1"_s;
    state.ModelAlarmFlag.at(2) = u"1"_s;
    state.ModelAlarmFlag.at(3) = QString();
    return state;
}

// The image after a read of a logger that answered every item.
void fillImageAsRead(SettingsState &state)
{
    for (int n = 1; n <= 48; ++n)
        state.EepChannel.at(n) = n <= 16 ? u"00%1"_s.arg(n % 10) : u"read%1"_s.arg(n - 17);
    for (int n = 1; n <= 12; ++n) {
        state.EepMail.at(n) = u"mail%1@example.jp"_s.arg(n);
        state.EepConnect.at(n) = u"connect%1"_s.arg(n);
    }
}

AlarmScriptInputs screenRows(const SettingsState &state)
{
    AlarmScriptInputs alarm;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        alarm.channelCode.at(row) = u"C%1"_s.arg(row, 2, 10, QLatin1Char('0'));
        alarm.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        alarm.lowerLimit.at(row) = u"-%1"_s.arg(row);
        alarm.upperLimit.at(row) = u"%1"_s.arg(row);
    }
    return alarm;
}

MailScriptInputs screenMail()
{
    MailScriptInputs mail;
    for (int k = 0; k < MailScriptInputs::kAddresses; ++k) {
        mail.alarmAddress.at(k) = u"alarm%1@example.jp"_s.arg(k + 1);
        mail.dataAddress.at(k) = u"data%1@example.jp"_s.arg(k + 1);
    }
    for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i)
        mail.connection.at(i) = u"text%1"_s.arg(i);
    mail.authCaption = u"2"_s;
    return mail;
}

} // namespace

class TestSettingsImage : public QObject
{
    Q_OBJECT

private slots:
    void items_areTheImageEntriesTheReadScriptsFill()
    {
        SettingsState state;
        fillImageAsRead(state);
        const DeviceSettings items = itemsOfImage(state);
        QCOMPARE(items.count(), 72);
        QVERIFY(!items.contains(SettingsItems::kModel));
        QCOMPARE(items.value(u"mode0"), state.EepChannel.at(1));
        QCOMPARE(items.value(u"mode15"), state.EepChannel.at(16));
        QCOMPARE(items.value(u"ALARM0"), state.EepChannel.at(17));
        QCOMPARE(items.value(u"ALARM31"), state.EepChannel.at(48));
        QCOMPARE(items.value(u"CAALARMADDRESS1"), state.EepMail.at(1));
        QCOMPARE(items.value(u"CADATAADDRESS6"), state.EepMail.at(12));
        QCOMPARE(items.value(u"CALOGINID"), state.EepConnect.at(1));
        QCOMPARE(items.value(u"CAAUTHTYPE"), state.EepConnect.at(12));

        SettingsState copy;
        storeInImage(items, copy);
        QVERIFY(itemsOfImage(copy) == items);
    }

    void storing_leavesTheEntriesOfMissingItems()
    {
        SettingsState state;
        fillImageAsRead(state);
        const DeviceSettings items = settingsOf({{u"model"_s, u"GSN"_s}, {u"ALARM3"_s, u"７"_s}, {u"CAAPN"_s, QString()}});
        storeInImage(items, state);
        QCOMPARE(state.EepChannel.at(20), u"７"_s);
        QCOMPARE(state.EepConnect.at(11), QString());
        QCOMPARE(state.EepChannel.at(19), u"read2"_s);
        QCOMPARE(state.EepConnect.at(10), u"connect10"_s);
    }

    void answersAfterWrite_areWhatTheWriteSends_packedOntoRowsWithLimits()
    {
        SettingsState state = modelWithMixedRows();
        fillImageAsRead(state);
        AlarmScriptInputs alarm = screenRows(state);
        alarm.lowerLimit.at(0) = u"－１２．５"_s; // narrowed on the way out
        MailScriptInputs mail = screenMail();
        mail.dataAddress.at(0) = u"ｄａｔａ＠ｅｘａｍｐｌｅ．ｊｐ"_s;
        mail.connection.at(10) = u"ａｐｎ　1"_s;
        mail.authCaption = u"２"_s; // the code goes out as it is

        const DeviceSettings answers = answersAfterWrite(state, alarm, mail);
        for (int row = 0; row < 16; ++row)
            QCOMPARE(answers.value(u"mode%1"_s.arg(row)), alarm.channelCode.at(row));
        // Rows 0, 2 and 3 take limits: ALARM0..5; row 1's boxes are not sent.
        const QStringList sent = {u"-12.5"_s, u"0"_s, u"-2"_s, u"2"_s, u"-3"_s, u"3"_s};
        for (int n = 0; n < sent.size(); ++n)
            QCOMPARE(answers.value(u"ALARM%1"_s.arg(n)), sent.at(n));
        for (int n = 6; n < 32; ++n)
            QCOMPARE(answers.value(u"ALARM%1"_s.arg(n)), u"read%1"_s.arg(n));
        QCOMPARE(answers.value(u"CADATAADDRESS1"), u"data@example.jp"_s);
        QCOMPARE(answers.value(u"CAALARMADDRESS6"), u"alarm6@example.jp"_s);
        QCOMPARE(answers.value(u"CALOGINID"), u"text0"_s);
        QCOMPARE(answers.value(u"CAAPN"), u"apn 1"_s);
        QCOMPARE(answers.value(u"CAAUTHTYPE"), u"２"_s);
        QVERIFY(!answers.contains(SettingsItems::kModel));
    }

    void itemsTheLoggerLacks_keepTheirAnswer_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("answer");
        QTest::newRow("absent channel") << u"mode5"_s << u"???"_s;
        QTest::newRow("question mark inside an element line") << u"mode6"_s << u"12?"_s;
        QTest::newRow("limit") << u"ALARM1"_s << u"???"_s;
        QTest::newRow("mail address") << u"CADATAADDRESS2"_s << u"???"_s;
        QTest::newRow("APN") << u"CAAPN"_s << u"???"_s;
        QTest::newRow("authentication") << u"CAAUTHTYPE"_s << u"???"_s;
    }

    void itemsTheLoggerLacks_keepTheirAnswer()
    {
        QFETCH(QString, item);
        QFETCH(QString, answer);
        SettingsState state = modelWithMixedRows();
        fillImageAsRead(state);
        storeInImage(settingsOf({{item, answer}}), state);

        const DeviceSettings answers = answersAfterWrite(state, screenRows(state), screenMail());
        QCOMPARE(answers.value(item), answer);
        QCOMPARE(answers.value(u"mode0"), u"C00"_s);
    }

    // What a settings file means for a write, written, reads back as the file: save, open, save.
    void inputsOfItems_writtenAgain_giveTheSameItems()
    {
        SettingsState state = modelWithMixedRows();
        fillImageAsRead(state);
        const DeviceSettings saved = answersAfterWrite(state, screenRows(state), screenMail());

        const AlarmScriptInputs alarm = alarmScriptInputsOf(saved, state);
        const MailScriptInputs mail = mailScriptInputsOf(saved);
        QCOMPARE(alarm.lowerLimit.at(3), u"-3"_s);
        QCOMPARE(alarm.upperLimit.at(3), u"3"_s);
        QCOMPARE(alarm.lowerLimit.at(1), QString());
        QCOMPARE(mail.connection.at(10), u"text10"_s);
        QCOMPARE(mail.authCaption, u"2"_s);
        QVERIFY(answersAfterWrite(state, alarm, mail) == saved);
    }

    // An item the logger lacks is no value to send, nor to check.
    void inputsOfItems_leaveMissingAndLackedItemsEmpty()
    {
        const SettingsState state = modelWithMixedRows();
        const DeviceSettings items = settingsOf({{u"ALARM0"_s, u"???"_s}, {u"ALARM1"_s, u"40"_s}, {u"CAAPN"_s, u"???"_s},
                                                 {u"CALOGINID"_s, u"???"_s}, {u"mode4"_s, u"?"_s}});
        const AlarmScriptInputs alarm = alarmScriptInputsOf(items, state);
        QCOMPARE(alarm.lowerLimit.at(0), QString());
        QCOMPARE(alarm.upperLimit.at(0), u"40"_s);
        QCOMPARE(alarm.channelCode.at(4), QString());
        QCOMPARE(alarm.alarmFlag.at(1), u"0"_s);
        const MailScriptInputs mail = mailScriptInputsOf(items);
        QCOMPARE(mail.connection.at(MailScriptInputs::kApnItem), QString());
        QCOMPARE(mail.connection.at(0), QString());
        QCOMPARE(mail.dataAddress.at(0), QString());
    }
};

QTEST_GUILESS_MAIN(TestSettingsImage)
#include "tst_settings_image.moc"
