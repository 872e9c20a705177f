#include "model/screen_lock.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QList<Field *> mailAndConnectionFields(ScreenModel &screen)
{
    QList<Field *> fields;
    for (TextField &field : screen.alarmAddresses().fields())
        fields << &field;
    for (TextField &field : screen.dataAddresses().fields())
        fields << &field;
    for (int k = 0; k < 10; ++k)
        fields << &screen.connection().Text3(k);
    return fields;
}

// Every field and the selector hold a text of their own.
void fillTexts(ScreenModel &screen)
{
    for (int k = 0; k < 6; ++k) {
        screen.alarmAddresses().Text4(k).setText(u"alarm%1@example.jp"_s.arg(k));
        screen.dataAddresses().Text5(k).setText(u"data%1@example.jp"_s.arg(k));
    }
    for (int k = 0; k < 11; ++k)
        screen.connection().Text3(k).setText(u"項目%1"_s.arg(k));
    ChoiceBox &selector = screen.authType().setObserbox();
    selector.addEntry(u"なし"_s, 0);
    selector.addEntry(u"PAP"_s, 1);
    selector.select(1);
    screen.channelRow(0).Text1().setText(u"-10.0"_s);
}

void verifyTextsKept(const ScreenModel &screen)
{
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(screen.alarmAddresses().Text4(k).text(), u"alarm%1@example.jp"_s.arg(k));
        QCOMPARE(screen.dataAddresses().Text5(k).text(), u"data%1@example.jp"_s.arg(k));
    }
    for (int k = 0; k < 11; ++k)
        QCOMPARE(screen.connection().Text3(k).text(), u"項目%1"_s.arg(k));
    QCOMPARE(screen.authType().setObserbox().editText(), u"PAP"_s);
    QCOMPARE(screen.channelRow(0).Text1().text(), u"-10.0"_s);
}

bool isLocked(const Field &field)
{
    return !field.isEnabled() && field.colour() == FieldColour::ButtonFace;
}

bool isUnlocked(const Field &field)
{
    return field.isEnabled() && field.colour() == FieldColour::White;
}

} // namespace

class TestScreenLock : public QObject
{
    Q_OBJECT

private slots:
    void lock_greysMailConnectionAndSelector_keepingTextsAndChannelRows()
    {
        ScreenModel screen;
        fillTexts(screen);
        SettingsState state;
        state.ApnAuthEnabled = kTrue;
        UnlockScreen(state, screen);
        for (Field *field : mailAndConnectionFields(screen))
            QVERIFY(isUnlocked(*field));

        LockScreen(screen);

        for (Field *field : mailAndConnectionFields(screen))
            QVERIFY(isLocked(*field));
        QVERIFY(isLocked(screen.connection().Text3(10)));
        QVERIFY(isLocked(screen.authType().setObserbox()));
        verifyTextsKept(screen);
        // The channel rows and the command buttons are not the lock's business.
        QVERIFY(screen.channelRow(0).Text1().isEnabled());
        QVERIFY(screen.channelRow(15).Combo1().isEnabled());
        QVERIFY(screen.commands().Command1(0).isEnabled());
    }

    void unlock_givesEverythingBack_apnAndSelectorOnlyWhenInUse_data()
    {
        QTest::addColumn<qint16>("apnAuthEnabled");
        QTest::addColumn<bool>("apnInUse");
        QTest::newRow("logger with APN") << kTrue << true;
        QTest::newRow("logger without APN") << kFalse << false;
        QTest::newRow("only -1 is true") << qint16(1) << false;
    }

    void unlock_givesEverythingBack_apnAndSelectorOnlyWhenInUse()
    {
        QFETCH(qint16, apnAuthEnabled);
        QFETCH(bool, apnInUse);
        ScreenModel screen;
        fillTexts(screen);
        disableCommands(screen);
        LockScreen(screen);
        SettingsState state;
        state.ApnAuthEnabled = apnAuthEnabled;

        UnlockScreen(state, screen);

        for (int i = 0; i < 4; ++i)
            QVERIFY(screen.commands().Command1(i).isEnabled());
        QVERIFY(screen.commands().SSTab2().isEnabled());
        QVERIFY(screen.commands().mnu_Set().isEnabled());
        for (Field *field : mailAndConnectionFields(screen))
            QVERIFY(isUnlocked(*field));
        QCOMPARE(isUnlocked(screen.connection().Text3(10)), apnInUse);
        QCOMPARE(isUnlocked(screen.authType().setObserbox()), apnInUse);
        QCOMPARE(isLocked(screen.connection().Text3(10)), !apnInUse);
        QCOMPARE(isLocked(screen.authType().setObserbox()), !apnInUse);
        verifyTextsKept(screen);
    }

    void disableCommands_takesButtonsTabsAndMenu_leavingTheFields()
    {
        ScreenModel screen;
        fillTexts(screen);
        UnlockScreen(SettingsState(), screen);

        disableCommands(screen);

        for (int i = 0; i < 4; ++i)
            QVERIFY(!screen.commands().Command1(i).isEnabled());
        QVERIFY(!screen.commands().SSTab2().isEnabled());
        QVERIFY(!screen.commands().mnu_Set().isEnabled());
        for (Field *field : mailAndConnectionFields(screen))
            QVERIFY(isUnlocked(*field));
        verifyTextsKept(screen);
    }
};

QTEST_MAIN(TestScreenLock)
#include "tst_screen_lock.moc"
