#include "state/settings_state.h"
#include "support/combo_pick.h"
#include "support/screen_controls_fixture.h"
#include "widgets/field_paint.h"
#include "widgets/show_channels.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void setOption(SettingsState &state, int row, int field, const QString &code, const QString &name,
               const QString &unit = {}, const QString &format = {})
{
    state.ModelItemCode.at(row, field) = code;
    state.ModelItemName.at(row, field) = name;
    state.ModelItemUnit.at(row, field) = unit;
    state.ModelItemFormat.at(row, field) = format;
}

// Row 0 with alarm limits: default element, temperature in field 3, humidity in field 4.
SettingsState modelWithRowZero()
{
    SettingsState state;
    state.ModelChLabel.at(0) = u"CH1"_s;
    state.ModelAlarmFlag.at(0) = u"1"_s;
    state.ModelDefaultItem.at(0) = u"未使用"_s;
    setOption(state, 0, 3, u"001"_s, u"温度"_s, u"℃"_s, u"0.0"_s);
    setOption(state, 0, 4, u"002"_s, u"湿度"_s, u"%"_s, u"0"_s);
    state.EepChannel.at(17) = u"-10.0"_s;
    state.EepChannel.at(18) = u"40.0"_s;
    return state;
}

} // namespace

class TestShowChannels : public QObject
{
    Q_OBJECT

private slots:
    void elementLine_choosesTheElementOfItsCode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("code");
        QTest::newRow("default") << u"127,extra"_s << u"未使用"_s << QString() << u"127"_s;
        QTest::newRow("option") << u"0021"_s << u"湿度"_s << u"%"_s << u"002"_s;
        QTest::newRow("no match") << u"999"_s << QString() << u"old unit"_s << u"old code"_s;
        QTest::newRow("empty line") << QString() << QString() << QString() << QString();
    }

    void elementLine_choosesTheElementOfItsCode()
    {
        QFETCH(QString, line);
        QFETCH(QString, element);
        QFETCH(QString, unit);
        QFETCH(QString, code);
        SettingsState state = modelWithRowZero();
        state.EepChannel.at(1) = line;
        state.ChannelCode.at(0) = u"old code"_s;
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        c.Label2[0]->setText(u"old unit"_s);

        ShowChannels(state, c);

        QCOMPARE(c.Label1[0]->text(), u"CH1"_s);
        QCOMPARE(comboEntries(c.Combo1[0]), (QStringList{u"未使用"_s, u"温度"_s, u"湿度"_s}));
        QCOMPARE(c.Combo1[0]->currentText(), element);
        QCOMPARE(c.Label2[0]->text(), unit);
        QCOMPARE(state.ChannelCode.at(0), code);
        QCOMPARE(c.Text1[0]->text(), u"-10.0"_s);
        QCOMPARE(c.Text2[0]->text(), u"40.0"_s);
        QVERIFY(c.Combo1[0]->isEnabled());
        QCOMPARE(fieldColour(c.Text1[0]), FieldColour::White);
    }

    void codeInTwoOptionFields_selectsTheLaterField()
    {
        SettingsState state = modelWithRowZero();
        setOption(state, 0, 6, u"002"_s, u"露点"_s, u"℃"_s, u"0.0"_s);
        state.EepChannel.at(1) = u"002"_s;
        ScreenControlsFixture fixture;
        ShowChannels(state, fixture.controls());
        QCOMPARE(fixture.controls().Combo1[0]->currentText(), u"露点"_s);
        QCOMPARE(fixture.controls().Combo1[0]->currentIndex(), 3);
        QCOMPARE(fixture.controls().Label2[0]->text(), u"℃"_s);
    }

    void listWithGap_listsNamedFieldsOnly_eachTaggedWithItsField()
    {
        SettingsState state = modelWithRowZero();
        setOption(state, 0, 4, {}, {});
        setOption(state, 0, 5, u"005"_s, u"照度"_s);
        state.ModelDefaultItem.at(0).clear();
        ScreenControlsFixture fixture;
        ShowChannels(state, fixture.controls());
        const QComboBox *box = fixture.controls().Combo1[0];
        QCOMPARE(comboEntries(box), (QStringList{QString(), u"温度"_s, u"照度"_s}));
        QCOMPARE(box->itemData(0, kElementFieldRole).toInt(), kDefaultElementEntry);
        QCOMPARE(box->itemData(2, kElementFieldRole).toInt(), 5);
    }

    void absentChannel_isDisabledButKeepsItsCaptionsAndStillTakesLimits()
    {
        SettingsState state = modelWithRowZero();
        state.EepChannel.at(1) = u"12?"_s;
        state.ChannelCode.at(0) = u"001"_s;
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        c.Label1[0]->setText(u"old"_s);
        c.Label3[0]->setText(u"0.0"_s);
        c.Combo1[0]->addItem(u"stale"_s);

        ShowChannels(state, c);

        for (QWidget *control : std::initializer_list<QWidget *>{c.Label1[0], c.Combo1[0], c.Label2[0],
                                                                 c.Label3[0], c.Text1[0], c.Text2[0]})
            QVERIFY(!control->isEnabled());
        QCOMPARE(c.Label1[0]->text(), u"old"_s);
        QCOMPARE(c.Label3[0]->text(), u"0.0"_s);
        QCOMPARE(c.Combo1[0]->count(), 0);
        QCOMPARE(state.ChannelCode.at(0), u"001"_s);
        QCOMPARE(c.Text1[0]->text(), u"-10.0"_s);
    }

    void rowWithoutLimits_hasItsLimitFieldsLockedAndEmpty()
    {
        SettingsState state = modelWithRowZero();
        state.ModelAlarmFlag.at(0) = u"0"_s;
        state.EepChannel.at(1) = u"001"_s;
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        c.Text2[0]->setText(u"old"_s);
        ShowChannels(state, c);
        QVERIFY(!c.Text1[0]->isEnabled());
        QCOMPARE(fieldColour(c.Text2[0]), FieldColour::ButtonFace);
        QVERIFY(c.Text2[0]->text().isEmpty());
        QVERIFY(c.Combo1[0]->isEnabled());
    }

    // Limit position n holds "L<n>", or "???" at the own position of the rows listed.
    void limitLines_arePackedInRowOrder_data()
    {
        QTest::addColumn<QString>("flags");    // rows 0.. ; rows beyond take limits
        QTest::addColumn<QString>("unknowns"); // rows whose own position holds "???"
        QTest::addColumn<QStringList>("shown"); // lower|upper of rows 0, 1, 2, 3
        QTest::newRow("all with limits") << u"1111"_s << QString()
                                         << QStringList{u"L17|L18"_s, u"L19|L20"_s, u"L21|L22"_s, u"L23|L24"_s};
        QTest::newRow("row 1 without") << u"1011"_s << QString()
                                       << QStringList{u"L17|L18"_s, u"|"_s, u"L19|L20"_s, u"L21|L22"_s};
        QTest::newRow("??? at 17") << u"1111"_s << u"0"_s
                                   << QStringList{u"kept|kept"_s, u"L18|L19"_s, u"L20|L21"_s, u"L22|L23"_s};
        // Row 2 reads from position 18, the "???" that made row 1 skip: only the row's own
        // position is tested.
        QTest::newRow("??? at 18, row 0 without")
            << u"0111"_s << u"1"_s << QStringList{u"|"_s, u"kept|kept"_s, u"???|L19"_s, u"L20|L21"_s};
    }

    void limitLines_arePackedInRowOrder()
    {
        QFETCH(QString, flags);
        QFETCH(QString, unknowns);
        QFETCH(QStringList, shown);
        SettingsState state;
        for (int n = 17; n <= 48; ++n)
            state.EepChannel.at(n) = u"L%1"_s.arg(n);
        for (QChar row : unknowns)
            state.EepChannel.at(17 + row.digitValue()) = u"???"_s;
        for (int row = 0; row < flags.size(); ++row)
            state.ModelAlarmFlag.at(row) = flags.at(row);
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        for (int row = 0; row < 4; ++row) {
            c.Text1[row]->setText(u"kept"_s);
            c.Text2[row]->setText(u"kept"_s);
        }
        for (int row = 0; row < 4; ++row)
            state.EepChannel.at(1 + row) = u"999"_s; // matches no element, so keeps the limit texts

        ShowChannels(state, c);

        QStringList actual;
        for (int row = 0; row < 4; ++row)
            actual << c.Text1[row]->text() + u'|' + c.Text2[row]->text();
        QCOMPARE(actual, shown);
    }
};

QTEST_MAIN(TestShowChannels)
#include "tst_show_channels.moc"
