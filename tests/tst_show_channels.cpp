#include "model/screen_model.h"
#include "model/show_channels.h"
#include "state/settings_state.h"
#include "support/model_tables.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Row 0 with alarm limits: default element, temperature in field 3, humidity in field 4.
SettingsState modelWithRowZero()
{
    SettingsState state;
    state.ModelChLabel.at(0) = u"CH1"_s;
    state.ModelAlarmFlag.at(0) = u"1"_s;
    state.ModelDefaultItem.at(0) = u"未使用"_s;
    setOptionField(state, 0, 3, u"001"_s, u"温度"_s, u"℃"_s, u"0.0"_s);
    setOptionField(state, 0, 4, u"002"_s, u"湿度"_s, u"%"_s, u"0"_s);
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
        ScreenModel screen;
        ChannelRow &row = screen.channelRow(0);
        row.Label2().setCaption(u"old unit"_s);

        ShowChannels(state, screen);

        QCOMPARE(row.Label1().caption(), u"CH1"_s);
        QCOMPARE(row.Combo1().entryTexts(), (QStringList{u"未使用"_s, u"温度"_s, u"湿度"_s}));
        QCOMPARE(row.Combo1().editText(), element);
        QCOMPARE(row.Label2().caption(), unit);
        QCOMPARE(state.ChannelCode.at(0), code);
        QCOMPARE(row.Text1().text(), u"-10.0"_s);
        QCOMPARE(row.Text2().text(), u"40.0"_s);
        for (Field *control : row.fields()) {
            QVERIFY(control->isEnabled());
            QCOMPARE(control->colour(), FieldColour::White);
        }
    }

    void codeInTwoOptionFields_selectsTheLaterField()
    {
        SettingsState state = modelWithRowZero();
        setOptionField(state, 0, 6, u"002"_s, u"露点"_s, u"℃"_s, u"0.0"_s);
        state.EepChannel.at(1) = u"002"_s;
        ScreenModel screen;
        ShowChannels(state, screen);
        const ChannelRow &row = screen.channelRow(0);
        QCOMPARE(row.Combo1().editText(), u"露点"_s);
        QCOMPARE(row.Combo1().currentIndex(), 3);
        QCOMPARE(row.Label2().caption(), u"℃"_s);
    }

    void listWithGap_listsNamedFieldsOnly_eachTaggedWithItsField()
    {
        SettingsState state = modelWithRowZero();
        setOptionField(state, 0, 4, {}, {});
        setOptionField(state, 0, 5, u"005"_s, u"照度"_s);
        state.ModelDefaultItem.at(0).clear();
        ScreenModel screen;
        ShowChannels(state, screen);
        const ElementBox &box = screen.channelRow(0).Combo1();
        QCOMPARE(box.entryTexts(), (QStringList{QString(), u"温度"_s, u"照度"_s}));
        QCOMPARE(box.entries().at(0).source, ElementBox::kDefaultElement);
        QCOMPARE(box.entries().at(2).source, 5);
    }

    void absentChannel_isDisabledButKeepsItsCaptionsAndStillTakesLimits()
    {
        SettingsState state = modelWithRowZero();
        state.EepChannel.at(1) = u"12?"_s;
        state.ChannelCode.at(0) = u"001"_s;
        ScreenModel screen;
        ChannelRow &row = screen.channelRow(0);
        row.Label1().setCaption(u"old"_s);
        row.Label3().setCaption(u"0.0"_s);
        row.Combo1().addEntry(u"stale"_s, 3);
        row.Combo1().select(0);

        ShowChannels(state, screen);

        for (Field *control : row.fields())
            QVERIFY(!control->isEnabled());
        QCOMPARE(row.Label1().caption(), u"old"_s);
        QCOMPARE(row.Label3().caption(), u"0.0"_s);
        QVERIFY(row.Combo1().entries().isEmpty());
        QVERIFY(row.Combo1().editText().isEmpty());
        QCOMPARE(state.ChannelCode.at(0), u"001"_s);
        QCOMPARE(row.Text1().text(), u"-10.0"_s);
    }

    void rowWithoutLimits_hasItsLimitFieldsLockedAndEmpty()
    {
        SettingsState state = modelWithRowZero();
        state.ModelAlarmFlag.at(0) = u"0"_s;
        state.EepChannel.at(1) = u"001"_s;
        ScreenModel screen;
        ChannelRow &row = screen.channelRow(0);
        row.Text2().setText(u"old"_s);
        ShowChannels(state, screen);
        QVERIFY(!row.Text1().isEnabled());
        QCOMPARE(row.Text2().colour(), FieldColour::ButtonFace);
        QVERIFY(row.Text2().text().isEmpty());
        QVERIFY(row.Combo1().isEnabled());
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
        ScreenModel screen;
        for (int row = 0; row < 4; ++row) {
            screen.channelRow(row).Text1().setText(u"kept"_s);
            screen.channelRow(row).Text2().setText(u"kept"_s);
            state.EepChannel.at(1 + row) = u"999"_s; // matches no element, so keeps the limit texts
        }

        ShowChannels(state, screen);

        QStringList actual;
        for (int row = 0; row < 4; ++row)
            actual << screen.channelRow(row).Text1().text() + u'|' + screen.channelRow(row).Text2().text();
        QCOMPARE(actual, shown);
    }
};

QTEST_MAIN(TestShowChannels)
#include "tst_show_channels.moc"
