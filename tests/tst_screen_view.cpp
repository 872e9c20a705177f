#include "model/screen_lock.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "support/model_tables.h"
#include "support/widgets/operator_input.h"
#include "support/widgets/window_fixture.h"
#include "widgets/field_paint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A session whose write only notes what it would send: the code of channel row 1 and the
// authentication code.
class WriteNotingSession : public ExchangeSession
{
public:
    using ExchangeSession::ExchangeSession;

    QStringList written;

protected:
    void begin(Kind kind, const PortChoice &) override
    {
        if (kind == Kind::Write)
            written = {state().ChannelCode.at(1), screen().authType().AuthLabel().caption()};
        end(ExchangeResult{ExchangeResult::Outcome::Succeeded});
    }
};

enum class Finish { None, Enter, Tab, ClickOnAField, ClickOnWrite };

} // namespace

// The window as a view of the screen model: what the model holds shows on the controls, and
// what the operator does on the controls goes back into the model.
class TestScreenView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture<WriteNotingSession>> m_fixture;

    ScreenModel &screen() { return m_fixture->screen(); }
    SettingsState &state() { return m_fixture->state(); }
    const ScreenControls &controls() const { return m_fixture->controls(); }

    // Every row offers 温度, 湿度 and CO2 and shows 温度 (or what lines gives); the connection page
    // lists the four authentication types of auth.ini and shows code 0, "なし".
    void read(const QStringList &lines = {})
    {
        for (int row = 0; row < ScreenModel::kChannelRows; ++row) {
            state().ModelDefaultItem.at(row) = u"既定"_s;
            setOptionField(state(), row, 3, u"001"_s, u"温度"_s, u"℃"_s, u"0.0"_s);
            setOptionField(state(), row, 4, u"002"_s, u"湿度"_s, u"%"_s, u"0"_s);
            setOptionField(state(), row, 5, u"003"_s, u"CO2"_s, u"ppm"_s, u"0000"_s);
            state().EepChannel.at(1 + row) = lines.value(row, u"001"_s);
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
        m_fixture = std::make_unique<WindowFixture<WriteNotingSession>>();
        QVERIFY(m_fixture->isValid());
        FrmMain &window = m_fixture->open();
        // Typing and focus need the window to be the active one.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
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

    void pickFromTheList_selectsInTheModel_andRunsItsHandler_data()
    {
        QTest::addColumn<PickBy>("by");
        QTest::newRow("keyboard") << PickBy::Keyboard;
        QTest::newRow("mouse") << PickBy::Mouse;
    }

    void pickFromTheList_selectsInTheModel_andRunsItsHandler()
    {
        QFETCH(PickBy, by);
        read();

        controls().SSTab2->setCurrentIndex(0);
        pickComboEntry(controls().Combo1[2], 2, by);
        controls().SSTab2->setCurrentIndex(3);
        pickComboEntry(controls().setObserbox, 3, by);

        const ChannelRow &row = screen().channelRow(2);
        QCOMPARE(row.Combo1().currentIndex(), 2);
        QCOMPARE(row.Combo1().editText(), u"湿度"_s);
        QCOMPARE(row.Label2().caption(), u"%"_s);
        QCOMPARE(controls().Label3[2]->text(), u"0"_s);
        QCOMPARE(state().ChannelCode.at(2), u"002"_s);
        QCOMPARE(screen().authType().setObserbox().currentIndex(), 3);
        QCOMPARE(screen().authType().AuthLabel().caption(), QString::number(state().AuthCodes.at(3)));
    }

    // Typing is no pick, even of a name the list holds, however the edit ends: the row keeps its
    // unit, format and code, AuthLabel its code, a write sends them, and nothing typed becomes
    // an entry. (The toolkit's box selects a listed name when an edit ends on it.)
    void typing_isNoPick_howeverTheEditEnds_data()
    {
        QTest::addColumn<bool>("authType");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Finish>("finish");
        const struct
        {
            bool authType;
            const char16_t *typed;
            const char *what;
        } typings[] = {
            {false, u"X", "element box, other text"},        {false, u"湿度", "element box, a listed name"},
            {false, u"co2", "element box, in another case"}, {false, u"湿", "element box, completed inline"},
            {true, u"typed", "selector, other text"},        {true, u"PAP", "selector, a listed name"},
            {true, u"chap", "selector, in another case"},    {true, u"PAP/", "selector, completed inline"},
        };
        const std::pair<Finish, const char *> finishes[] = {
            {Finish::None, "unfinished"},          {Finish::Enter, "Enter"}, {Finish::Tab, "Tab"},
            {Finish::ClickOnAField, "click on a field"}, {Finish::ClickOnWrite, "click on 設定値書込"},
        };
        for (const auto &typing : typings) {
            for (const auto &[finish, how] : finishes)
                QTest::addRow("%s, %s", typing.what, how) << typing.authType << QString::fromUtf16(typing.typed) << finish;
        }
    }

    void typing_isNoPick_howeverTheEditEnds()
    {
        QFETCH(bool, authType);
        QFETCH(QString, typed);
        QFETCH(Finish, finish);
        read();
        controls().SSTab2->setCurrentIndex(authType ? 3 : 0);
        QComboBox *box = authType ? controls().setObserbox : controls().Combo1[1];
        const QStringList entries = comboEntries(box);
        const QStringList unchanged{u"001"_s, u"0"_s}; // code of row 1, authentication code

        box->lineEdit()->setFocus();
        box->lineEdit()->selectAll();
        typeText(box->lineEdit(), typed);
        switch (finish) {
        case Finish::None:
            break;
        case Finish::Enter:
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            break;
        case Finish::Tab:
            QTest::keyClick(box->lineEdit(), Qt::Key_Tab);
            QVERIFY(!box->hasFocus());
            break;
        case Finish::ClickOnAField:
            QTest::mouseClick(authType ? controls().Text3[2] : controls().Text1[1], Qt::LeftButton);
            QVERIFY(!box->hasFocus());
            break;
        case Finish::ClickOnWrite:
            QTest::mouseClick(controls().Command1[1], Qt::LeftButton);
            QCOMPARE(m_fixture->session().written, unchanged);
            break;
        }

        const ChoiceBox &choice = authType ? screen().authType().setObserbox() : screen().channelRow(1).Combo1();
        QVERIFY(box->currentText().startsWith(typed, Qt::CaseInsensitive));
        QCOMPARE(choice.editText(), box->currentText());
        QCOMPARE(choice.currentIndex(), authType ? 0 : 1);
        QCOMPARE((QStringList{state().ChannelCode.at(1), screen().authType().AuthLabel().caption()}), unchanged);
        QCOMPARE(screen().channelRow(1).Label2().caption(), u"℃"_s);
        QCOMPARE(controls().Label3[1]->text(), u"0.0"_s);
        QCOMPARE(controls().AuthLabel->text(), u"0"_s);
        QCOMPARE(comboEntries(box), entries);
    }

    // Clearing a box clears what was typed into it, also when no entry was selected: a row the
    // logger does not have shows an empty element box.
    void typedElement_isGone_whenAReadFindsTheRowMissing_data()
    {
        QTest::addColumn<bool>("readBefore");
        QTest::newRow("typed before the first read") << false;
        QTest::newRow("typed into a row whose code matched nothing") << true;
    }

    void typedElement_isGone_whenAReadFindsTheRowMissing()
    {
        QFETCH(bool, readBefore);
        if (readBefore) {
            read({u"001"_s, u"001"_s, u"999"_s});
            QCOMPARE(screen().channelRow(2).Combo1().currentIndex(), -1);
        }
        controls().SSTab2->setCurrentIndex(0);
        QLineEdit *edit = controls().Combo1[2]->lineEdit();
        edit->setFocus();
        typeText(edit, u"手入力"_s);
        QCOMPARE(screen().channelRow(2).Combo1().editText(), u"手入力"_s);

        read({u"001"_s, u"001"_s, u"???"_s});

        QVERIFY(!controls().Combo1[2]->isEnabled());
        QCOMPARE(controls().Combo1[2]->count(), 0);
        QVERIFY(controls().Combo1[2]->currentText().isEmpty());
        QVERIFY(screen().channelRow(2).Combo1().editText().isEmpty());
    }
};

QTEST_MAIN(TestScreenView)
#include "tst_screen_view.moc"
