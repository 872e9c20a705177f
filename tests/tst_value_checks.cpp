#include "settings/value_checks.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Problem = ValueFinding::Problem;

namespace {

// Row 1 takes no limits; every other row does. Every value passes as it stands.
struct Screen
{
    AlarmScriptInputs alarm;
    MailScriptInputs mail;

    Screen()
    {
        for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
            alarm.alarmFlag.at(row) = row == 1 ? u"0"_s : u"1"_s;
            alarm.lowerLimit.at(row) = u"-10"_s;
            alarm.upperLimit.at(row) = u"50.5"_s;
        }
        mail.alarmAddress.at(0) = u"alarm@example.jp"_s;
        mail.connection.at(7) = u"logger@example.jp"_s; // sender address
        mail.connection.at(8) = u"192.168.0.1"_s;       // DNS1
        mail.connection.at(9) = u"8.8.8.8"_s;           // DNS2
    }
};

using Edit = std::function<void(Screen &)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestValueChecks : public QObject
{
    Q_OBJECT

private slots:
    void plainlyWrongValues_areFoundWithTheirCaption_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QList<ValueFinding>>("findings");

        QTest::newRow("nothing wrong") << Edit([](Screen &) {}) << QList<ValueFinding>{};
        QTest::newRow("empty everything") << Edit([](Screen &s) { s.alarm.lowerLimit.fill({}); s.alarm.upperLimit.fill({}); s.mail = {}; })
                                          << QList<ValueFinding>{};
        QTest::newRow("letter O in a limit")
            << Edit([](Screen &s) { s.alarm.lowerLimit.at(3) = u"1O"_s; })
            << QList<ValueFinding>{{Problem::NotADecimalNumber, u"ALARM4"_s, u"警報下限値 4"_s, u"1O"_s, {}}};
        QTest::newRow("comma decimal, spaces, exponent, lone sign")
            << Edit([](Screen &s) {
                   s.alarm.upperLimit.at(0) = u"12,5"_s;
                   s.alarm.lowerLimit.at(2) = u" 5"_s;
                   s.alarm.upperLimit.at(2) = u"1e3"_s;
                   s.alarm.lowerLimit.at(15) = u"-"_s;
               })
            << QList<ValueFinding>{{Problem::NotADecimalNumber, u"ALARM1"_s, u"警報上限値 1"_s, u"12,5"_s, {}},
                                   {Problem::NotADecimalNumber, u"ALARM2"_s, u"警報下限値 3"_s, u" 5"_s, {}},
                                   {Problem::NotADecimalNumber, u"ALARM3"_s, u"警報上限値 3"_s, u"1e3"_s, {}},
                                   {Problem::NotADecimalNumber, u"ALARM28"_s, u"警報下限値 16"_s, u"-"_s, {}}};
        QTest::newRow("full-width digits are sent as a number")
            << Edit([](Screen &s) { s.alarm.lowerLimit.at(4) = u"－５．２５"_s; s.alarm.upperLimit.at(4) = u"+.5"_s; })
            << QList<ValueFinding>{};
        QTest::newRow("row without limits is not sent, so not checked")
            << Edit([](Screen &s) { s.alarm.lowerLimit.at(1) = u"abc"_s; s.alarm.upperLimit.at(1) = u"-99"_s; })
            << QList<ValueFinding>{};
        QTest::newRow("lower above upper, as numbers not as text")
            << Edit([](Screen &s) { s.alarm.lowerLimit.at(5) = u"9"_s; s.alarm.upperLimit.at(5) = u"10"_s;
                                    s.alarm.lowerLimit.at(6) = u"100"_s; s.alarm.upperLimit.at(6) = u"20.0"_s; })
            << QList<ValueFinding>{{Problem::LowerAboveUpper, u"ALARM10"_s, u"警報下限値 7"_s, u"100"_s, u"20.0"_s}};
        QTest::newRow("equal limits pass; one empty limit is no comparison")
            << Edit([](Screen &s) { s.alarm.lowerLimit.at(7) = u"5"_s; s.alarm.upperLimit.at(7) = u"5.0"_s;
                                    s.alarm.lowerLimit.at(8) = u"60"_s; s.alarm.upperLimit.at(8) = QString(); })
            << QList<ValueFinding>{};
        QTest::newRow("mail addresses without exactly one at sign")
            << Edit([](Screen &s) {
                   s.mail.dataAddress.at(1) = u"data.example.jp"_s;
                   s.mail.alarmAddress.at(5) = u"a@b@example.jp"_s;
                   s.mail.connection.at(7) = u"logger"_s;
               })
            << QList<ValueFinding>{{Problem::NotOneAtSign, u"CADATAADDRESS2"_s, u"データ送信先アドレス 2"_s, u"data.example.jp"_s, {}},
                                   {Problem::NotOneAtSign, u"CAALARMADDRESS6"_s, u"警報送信先アドレス 6"_s, u"a@b@example.jp"_s, {}},
                                   {Problem::NotOneAtSign, u"CAFROMADDRESS"_s, u"FromAddress"_s, u"logger"_s, {}}};
        QTest::newRow("full-width at sign is sent as one")
            << Edit([](Screen &s) { s.mail.dataAddress.at(0) = u"ｄａｔａ＠example.jp"_s; }) << QList<ValueFinding>{};
        QTest::newRow("DNS servers that are no dotted IPv4 address")
            << Edit([](Screen &s) { s.mail.connection.at(8) = u"dns.example.jp"_s; s.mail.connection.at(9) = u"192.168.0.256"_s; })
            << QList<ValueFinding>{{Problem::NotAnIpv4Address, u"CADNS1"_s, u"DNS1"_s, u"dns.example.jp"_s, {}},
                                   {Problem::NotAnIpv4Address, u"CADNS2"_s, u"DNS2"_s, u"192.168.0.256"_s, {}}};
        QTest::newRow("three parts, five parts, empty part")
            << Edit([](Screen &s) { s.mail.connection.at(8) = u"10.0.1"_s; s.mail.connection.at(9) = u"1.2..4"_s; })
            << QList<ValueFinding>{{Problem::NotAnIpv4Address, u"CADNS1"_s, u"DNS1"_s, u"10.0.1"_s, {}},
                                   {Problem::NotAnIpv4Address, u"CADNS2"_s, u"DNS2"_s, u"1.2..4"_s, {}}};
        QTest::newRow("other connection items are free text")
            << Edit([](Screen &s) { s.mail.connection.at(5) = u"pop@@server"_s; s.mail.connection.at(10) = u"1.2.3"_s; })
            << QList<ValueFinding>{};
    }

    void plainlyWrongValues_areFoundWithTheirCaption()
    {
        QFETCH(Edit, edit);
        QFETCH(QList<ValueFinding>, findings);
        Screen screen;
        edit(screen);
        QCOMPARE(valueFindings(screen.alarm, screen.mail), findings);
    }

    void findings_nameCaptionItemAndValue_data()
    {
        QTest::addColumn<ValueFinding>("finding");
        QTest::addColumn<QString>("described");
        const auto change = [](Problem problem, const QString &item, const QString &held, const QString &value) {
            ValueFinding finding{problem, item, item == u"CALOGINPASS" ? u"LoginPass"_s : u"LoginID"_s, value};
            finding.heldValue = held;
            return finding;
        };
        QTest::newRow("limits") << ValueFinding{Problem::LowerAboveUpper, u"ALARM10"_s, u"警報下限値 6"_s, u"100"_s, u"20.0"_s}
                                << u"警報下限値 6 (ALARM10): the lower limit 100 is above the upper limit 20.0"_s;
        QTest::newRow("changed unasked") << change(Problem::ChangedUnasked, u"CALOGINID"_s, u"ＩＤ"_s, u"ID"_s)
                                         << u"LoginID (CALOGINID): the logger holds \"ＩＤ\"; the write changes it to \"ID\", though nobody asked"_s;
        QTest::newRow("emptied unasked") << change(Problem::ChangedUnasked, u"CALOGINID"_s, u"id"_s, QString())
                                         << u"LoginID (CALOGINID): the logger holds \"id\"; the write empties it, though nobody asked"_s;
        QTest::newRow("a password, masked") << change(Problem::Emptied, u"CALOGINPASS"_s, u"secret"_s, QString())
                                            << u"LoginPass (CALOGINPASS): the logger holds \"********\"; the write empties it"_s;
        ValueFinding given{Problem::NotAsGiven, u"CAAUTHTYPE"_s, u"Auth"_s, QString()};
        given.givenValue = u"2"_s;
        QTest::newRow("not as given") << given << u"Auth (CAAUTHTYPE): given as \"2\", but the screen makes it \"\" and so it is written"_s;
    }

    void findings_nameCaptionItemAndValue()
    {
        QFETCH(ValueFinding, finding);
        QFETCH(QString, described);
        QCOMPARE(describe(finding), described);
    }
};

QTEST_GUILESS_MAIN(TestValueChecks)
#include "tst_value_checks.moc"
