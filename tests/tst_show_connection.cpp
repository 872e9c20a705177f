#include "state/settings_state.h"
#include "support/combo_pick.h"
#include "support/screen_controls_fixture.h"
#include "widgets/field_paint.h"
#include "widgets/show_connection.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

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
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        c.setObserbox->addItem(u"earlier"_s);

        ShowConnection(state, c);

        QCOMPARE(comboEntries(c.setObserbox), (QStringList{u"PAP"_s, u"CHAP"_s, u"なし"_s, u"自動"_s}));
        QCOMPARE(c.setObserbox->currentIndex(), chosen);
        QCOMPARE(c.setObserbox->currentText(), chosen < 0 ? QString() : c.setObserbox->itemText(chosen));
        QCOMPARE(c.AuthLabel->text(), authCode);
        QVERIFY(c.setObserbox->isEnabled());
        QCOMPARE(fieldColour(c.setObserbox), FieldColour::White);
        QCOMPARE(state.ApnAuthEnabled, kTrue);
    }

    void connectionItems_showAsReceived_apnIncluded()
    {
        SettingsState state = loggerWithApn(u"1"_s);
        state.EepConnect.at(3) = u"???"_s;
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowConnection(state, c);
        QCOMPARE(c.Text3[0]->text(), u"item 1"_s);
        QCOMPARE(c.Text3[2]->text(), u"???"_s);
        QCOMPARE(c.Text3[9]->text(), u"item 10"_s);
        QCOMPARE(c.Text3[10]->text(), u"apn.example"_s);
        for (QLineEdit *field : c.Text3) {
            QVERIFY(field->isEnabled());
            QCOMPARE(fieldColour(field), FieldColour::White);
        }
    }

    void loggerWithoutApn_locksApn_clearsTheCode_andLeavesTheSelector()
    {
        SettingsState state = loggerWithApn(u"1"_s);
        state.EepConnect.at(11) = u"???"_s;
        state.ApnAuthEnabled = kTrue;
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        c.Text3[10]->setText(u"old apn"_s);
        c.AuthLabel->setText(u"3"_s);
        c.setObserbox->addItems({u"A"_s, u"B"_s});
        c.setObserbox->setCurrentIndex(1);

        ShowConnection(state, c);

        QVERIFY(!c.Text3[10]->isEnabled());
        QCOMPARE(fieldColour(c.Text3[10]), FieldColour::ButtonFace);
        QVERIFY(c.Text3[10]->text().isEmpty());
        QVERIFY(c.AuthLabel->text().isEmpty());
        QCOMPARE(state.ApnAuthEnabled, kFalse);
        QCOMPARE(comboEntries(c.setObserbox), (QStringList{u"A"_s, u"B"_s}));
        QCOMPARE(c.setObserbox->currentText(), u"B"_s);
        QVERIFY(!c.setObserbox->isEnabled());
        QCOMPARE(c.Text3[9]->text(), u"item 10"_s);
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
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        for (QPushButton *button : c.Command1)
            button->setEnabled(false);
        c.SSTab2->setEnabled(false);
        c.mnu_Set->setEnabled(false);
        QVERIFY(!fixture.menuEnabled());

        if (wholeConnection)
            ShowConnection(state, c);
        else
            ShowConnectionButtons(c);

        QVERIFY(c.Command1[0]->isEnabled());
        QVERIFY(!c.Command1[1]->isEnabled());
        QVERIFY(c.Command1[2]->isEnabled());
        QVERIFY(c.Command1[3]->isEnabled());
        QVERIFY(c.SSTab2->isEnabled());
        QVERIFY(fixture.menuEnabled());
    }
};

QTEST_MAIN(TestShowConnection)
#include "tst_show_connection.moc"
