#include "model/screen_model.h"
#include "model/show_connection.h"
#include "state/settings_state.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Codes 1, 2, -1, 2: the second "2" shows which of two matching entries wins.
SettingsState loggerWithApn(const QString &authCode)
{
    SettingsState state;
    const qint16 codes[] = {1, 2, -1, 2};
    const QString names[] = {u"PAP"_s, u"CHAP"_s, u"なし"_s, u"自動"_s};
    for (int k = 0; k < 4; ++k) {
        state.AuthCodes.at(k) = codes[k];
        state.AuthNames.at(k) = names[k];
    }
    for (int n = 1; n <= 10; ++n)
        state.EepConnect.at(n) = u"item %1"_s.arg(n);
    state.EepConnect.at(11) = u"apn.example"_s;
    state.EepConnect.at(12) = authCode;
    return state;
}

} // namespace

class TestShowConnection : public QObject
{
    Q_OBJECT

private slots:
    void authCode_selectsTheTypeOfTheSameValue_data()
    {
        QTest::addColumn<QString>("authCode");
        QTest::addColumn<int>("chosen");
        QTest::newRow("1") << u"1"_s << 0;
        QTest::newRow("blanks before") << u"  1"_s << 0;
        QTest::newRow("zero fraction") << u"1.0"_s << 0;
        QTest::newRow("text after") << u"1abc"_s << 0;
        QTest::newRow("negative") << u"-1"_s << 2;
        QTest::newRow("two matches, the last wins") << u"2"_s << 3;
        QTest::newRow("no number is 0, no type") << u"abc"_s << -1;
        QTest::newRow("unknown code") << u"7"_s << -1;
        QTest::newRow("non-zero fraction") << u"1.5"_s << -1;
    }

    void authCode_selectsTheTypeOfTheSameValue()
    {
        QFETCH(QString, authCode);
        QFETCH(int, chosen);
        SettingsState state = loggerWithApn(authCode);
        ScreenModel screen;
        ChoiceBox &selector = screen.authType().setObserbox();
        selector.addEntry(u"earlier"_s, 0);
        selector.select(0);

        ShowConnection(state, screen);

        QCOMPARE(selector.entryTexts(), (QStringList{u"PAP"_s, u"CHAP"_s, u"なし"_s, u"自動"_s}));
        QCOMPARE(selector.currentIndex(), chosen);
        QCOMPARE(selector.editText(), chosen < 0 ? QString() : selector.entryTexts().at(chosen));
        QCOMPARE(screen.authType().AuthLabel().caption(), authCode);
        QVERIFY(selector.isEnabled());
        QCOMPARE(selector.colour(), FieldColour::White);
        QCOMPARE(state.ApnAuthEnabled, kTrue);
    }

    void connectionItems_showAsReceived_apnIncluded()
    {
        SettingsState state = loggerWithApn(u"1"_s);
        state.EepConnect.at(3) = u"???"_s;
        ScreenModel screen;
        ShowConnection(state, screen);
        const ConnectionFields &connection = screen.connection();
        QCOMPARE(connection.Text3(0).text(), u"item 1"_s);
        QCOMPARE(connection.Text3(2).text(), u"???"_s);
        QCOMPARE(connection.Text3(9).text(), u"item 10"_s);
        QCOMPARE(connection.Text3(10).text(), u"apn.example"_s);
        for (const TextField &field : connection.fields()) {
            QVERIFY(field.isEnabled());
            QCOMPARE(field.colour(), FieldColour::White);
        }
    }

    void loggerWithoutApn_locksApn_clearsTheCode_andLeavesTheSelector()
    {
        SettingsState state = loggerWithApn(u"1"_s);
        state.EepConnect.at(11) = u"???"_s;
        state.ApnAuthEnabled = kTrue;
        ScreenModel screen;
        TextField &apn = screen.connection().Text3(10);
        ChoiceBox &selector = screen.authType().setObserbox();
        apn.setText(u"old apn"_s);
        screen.authType().AuthLabel().setCaption(u"3"_s);
        selector.addEntry(u"A"_s, 0);
        selector.addEntry(u"B"_s, 1);
        selector.select(1);

        ShowConnection(state, screen);

        QVERIFY(!apn.isEnabled());
        QCOMPARE(apn.colour(), FieldColour::ButtonFace);
        QVERIFY(apn.text().isEmpty());
        QVERIFY(screen.authType().AuthLabel().caption().isEmpty());
        QCOMPARE(state.ApnAuthEnabled, kFalse);
        QCOMPARE(selector.entryTexts(), (QStringList{u"A"_s, u"B"_s}));
        QCOMPARE(selector.editText(), u"B"_s);
        QVERIFY(!selector.isEnabled());
        QCOMPARE(screen.connection().Text3(9).text(), u"item 10"_s);
    }

    void afterARead_readSaveAndExitAreUsable_writeIsNot_data()
    {
        QTest::addColumn<bool>("wholeConnection");
        QTest::newRow("ShowConnection") << true;
        QTest::newRow("ShowConnectionButtons alone") << false;
    }

    void afterARead_readSaveAndExitAreUsable_writeIsNot()
    {
        QFETCH(bool, wholeConnection);
        SettingsState state = loggerWithApn(u"1"_s);
        ScreenModel screen;
        CommandControls &commands = screen.commands();
        for (int i = 0; i < 4; ++i)
            commands.Command1(i).setEnabled(false);
        commands.SSTab2().setEnabled(false);
        commands.mnu_Set().setEnabled(false);

        if (wholeConnection)
            ShowConnection(state, screen);
        else
            ShowConnectionButtons(screen);

        QVERIFY(commands.Command1(0).isEnabled());
        QVERIFY(!commands.Command1(1).isEnabled());
        QVERIFY(commands.Command1(2).isEnabled());
        QVERIFY(commands.Command1(3).isEnabled());
        QVERIFY(commands.SSTab2().isEnabled());
        QVERIFY(commands.mnu_Set().isEnabled());
    }
};

QTEST_MAIN(TestShowConnection)
#include "tst_show_connection.moc"
