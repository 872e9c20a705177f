#include "model/screen_model.h"
#include "model/show_mail_addresses.h"
#include "state/settings_state.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestShowMailAddresses : public QObject
{
    Q_OBJECT

private slots:
    void onlyAnswersWithAnAt_showAsAddresses_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("address") << u"alarm@example.jp"_s << u"alarm@example.jp"_s;
        QTest::newRow("@ among other text") << u" to: ops@x y "_s << u" to: ops@x y "_s;
        QTest::newRow("bare @") << u"@"_s << u"@"_s;
        QTest::newRow("no item") << u"???"_s << QString();
        QTest::newRow("no @") << u"ops.example.jp"_s << QString();
        QTest::newRow("full-width ＠") << u"ops＠example.jp"_s << QString();
        QTest::newRow("no answer") << QString() << QString();
    }

    void onlyAnswersWithAnAt_showAsAddresses()
    {
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        SettingsState state;
        for (int n = 1; n <= 12; ++n)
            state.EepMail.at(n) = answer;
        ScreenModel screen;
        for (TextField &field : screen.dataAddresses().fields())
            field.setText(u"earlier"_s);

        ShowMailAddresses(state, screen);

        for (const auto *page : {&screen.alarmAddresses().fields(), &screen.dataAddresses().fields()}) {
            for (const TextField &field : *page) {
                QCOMPARE(field.text(), shown);
                QVERIFY(field.isEnabled());
                QCOMPARE(field.colour(), FieldColour::White);
            }
        }
    }

    void alarmAddressesGoToThePageOne_dataAddressesToPageTwo()
    {
        SettingsState state;
        for (int n = 0; n <= 13; ++n)
            state.EepMail.at(n) = u"a%1@x"_s.arg(n);
        ScreenModel screen;
        ShowMailAddresses(state, screen);
        QCOMPARE(screen.alarmAddresses().Text4(0).text(), u"a1@x"_s);
        QCOMPARE(screen.alarmAddresses().Text4(5).text(), u"a6@x"_s);
        QCOMPARE(screen.dataAddresses().Text5(0).text(), u"a7@x"_s);
        QCOMPARE(screen.dataAddresses().Text5(5).text(), u"a12@x"_s);
    }
};

QTEST_MAIN(TestShowMailAddresses)
#include "tst_show_mail_addresses.moc"
