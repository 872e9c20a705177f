#include "model/screen_lock.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "support/model_tables.h"
#include "support/widgets/combo_pick.h"
#include "support/widgets/window_fixture.h"
#include "widgets/field_paint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

// The window as a view of the screen model: what the model holds shows on the controls, and
// what the operator does on the controls goes back into the model.
class TestScreenView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture<>> m_fixture;

    ScreenModel &screen() { return m_fixture->screen(); }
    SettingsState &state() { return m_fixture->state(); }
    const ScreenControls &controls() const { return m_fixture->controls(); }

    // Every row offers the elements A, B and C and shows A; the connection page lists four
    // authentication types and shows code 0, "なし".
    void read()
    {
        for (int row = 0; row < ScreenModel::kChannelRows; ++row) {
            state().ModelDefaultItem.at(row) = u"既定"_s;
            setOptionField(state(), row, 3, u"00A"_s, u"A"_s, u"℃"_s, u"0.0"_s);
            setOptionField(state(), row, 4, u"00B"_s, u"B"_s, u"%"_s, u"0"_s);
            setOptionField(state(), row, 5, u"00C"_s, u"C"_s, u"V"_s, u"0.00"_s);
            state().EepChannel.at(1 + row) = u"00A"_s;
        }
        ShowChannels(state(), screen());
        state().EepConnect.at(11) = u"apn"_s;
        state().EepConnect.at(12) = u"0"_s;
        ShowConnection(state(), screen());
        UnlockScreen(state(), screen());
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<WindowFixture<>>();
        QVERIFY(m_fixture->isValid());
        QVERIFY(QTest::qWaitForWindowExposed(&m_fixture->open()));
    }

    void cleanup()
    {
        m_fixture.reset();
    }

    void modelChanges_showOnTheControls()
    {
        TextField &login = screen().connection().Text3(0);
        login.setText(u"user01"_s);
        login.unlock();
        QCOMPARE(controls().Text3[0]->text(), u"user01"_s);
        QVERIFY(controls().Text3[0]->isEnabled());
        QCOMPARE(fieldColour(controls().Text3[0]), FieldColour::White);

        CaptionLabel &unit = screen().channelRow(3).Label2();
        unit.setCaption(u"%RH"_s);
        unit.unlock();
        unit.setEnabled(false);
        QCOMPARE(controls().Label2[3]->text(), u"%RH"_s);
        QVERIFY(!controls().Label2[3]->isEnabled());
        QCOMPARE(fieldColour(controls().Label2[3]), FieldColour::White);

        ElementBox &element = screen().channelRow(3).Combo1();
        element.addEntry(u"A"_s, 3);
        element.addEntry(u"B"_s, 4);
        element.select(1);
        QCOMPARE(comboEntries(controls().Combo1[3]), (QStringList{u"A"_s, u"B"_s}));
        QCOMPARE(controls().Combo1[3]->currentIndex(), 1);
        QCOMPARE(controls().Combo1[3]->currentText(), u"B"_s);
        element.select(-1);
        QCOMPARE(controls().Combo1[3]->currentIndex(), -1);
        QVERIFY(controls().Combo1[3]->currentText().isEmpty());
        element.lock();
        QVERIFY(!controls().Combo1[3]->isEnabled());
        QCOMPARE(fieldColour(controls().Combo1[3]), FieldColour::ButtonFace);

        screen().authType().AuthLabel().setCaption(u"2"_s);
        QCOMPARE(controls().AuthLabel->text(), u"2"_s);
        QVERIFY(controls().AuthLabel->isHidden());

        disableCommands(screen());
        for (QPushButton *button : controls().Command1)
            QVERIFY(!button->isEnabled());
        QVERIFY(!controls().SSTab2->isEnabled());
        QVERIFY(!controls().mnu_Set->menuAction()->isEnabled());
        UnlockScreen(state(), screen());
        for (QPushButton *button : controls().Command1)
            QVERIFY(button->isEnabled());
        QVERIFY(controls().Command1[2]->isHidden()); // enabled, but never shown
        QVERIFY(controls().mnu_Set->menuAction()->isEnabled());
    }

    void typing_goesIntoTheModel_asTyped()
    {
        read();
        controls().Text1[2]->selectAll();
        QTest::keyClicks(controls().Text1[2], u"-12.5"_s);
        QCOMPARE(screen().channelRow(2).Text1().text(), u"-12.5"_s);

        controls().Text5[0]->clear();
        QTest::keyClicks(controls().Text5[0], u"ops@example.jp"_s);
        QCOMPARE(screen().dataAddresses().Text5(0).text(), u"ops@example.jp"_s);
    }

    void pickFromTheList_selectsInTheModel_andRunsItsHandler()
    {
        read();

        pickComboEntry(controls().Combo1[2], 2);
        pickComboEntry(controls().setObserbox, 3);

        const ChannelRow &row = screen().channelRow(2);
        QCOMPARE(row.Combo1().currentIndex(), 2);
        QCOMPARE(row.Combo1().editText(), u"B"_s);
        QCOMPARE(row.Label2().caption(), u"%"_s);
        QCOMPARE(controls().Label3[2]->text(), u"0"_s);
        QCOMPARE(state().ChannelCode.at(2), u"00B"_s);
        QCOMPARE(screen().authType().setObserbox().currentIndex(), 3);
        QCOMPARE(screen().authType().AuthLabel().caption(), QString::number(state().AuthCodes.at(3)));
    }

    // Typing into an element box is no pick: the row keeps its unit, format and code, and what
    // was typed never becomes an entry.
    void typingAnElement_changesNeitherTheRowNorItsCode_norTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("other text") << u"X"_s << false;
        QTest::newRow("name of another element") << u"C"_s << false;
        QTest::newRow("other text, Enter") << u"typed"_s << true;
    }

    void typingAnElement_changesNeitherTheRowNorItsCode_norTheList()
    {
        QFETCH(QString, typed);
        QFETCH(bool, confirmed);
        read();
        QLineEdit *edit = controls().Combo1[1]->lineEdit();

        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (confirmed)
            QTest::keyClick(edit, Qt::Key_Return);

        const ChannelRow &row = screen().channelRow(1);
        QCOMPARE(row.Combo1().editText(), typed);
        QCOMPARE(row.Combo1().currentIndex(), 1);
        QCOMPARE(row.Label2().caption(), u"℃"_s);
        QCOMPARE(state().ChannelCode.at(1), u"00A"_s);
        QCOMPARE(controls().Combo1[1]->count(), 4);
    }

    void typingAnAuthType_leavesTheCodeUnchanged_andAddsNoEntry()
    {
        read();
        QLineEdit *edit = controls().setObserbox->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, u"typed"_s);
        QTest::keyClick(edit, Qt::Key_Return);

        QCOMPARE(screen().authType().setObserbox().editText(), u"typed"_s);
        QCOMPARE(screen().authType().AuthLabel().caption(), u"0"_s);
        QCOMPARE(controls().setObserbox->count(), 4);
    }
};

QTEST_MAIN(TestScreenView)
#include "tst_screen_view.moc"
