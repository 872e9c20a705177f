#include "model/channel_row_editing.h"
#include "model/screen_model.h"
#include "model/show_channels.h"
#include "state/settings_state.h"
#include "support/model_tables.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void setOption(SettingsState &state, int row, int field, const QString &code, const QString &name)
{
    setOptionField(state, row, field, code, name, u"unit %1"_s.arg(code), u"format %1"_s.arg(code));
}

// Every row offers elements A, B and C, in fields 3, 4 and 5, or with a gap in 3, 5 and 6.
SettingsState modelWithThreeElements(bool gapAfterFirst)
{
    SettingsState state;
    for (int row = 0; row < 16; ++row) {
        state.ModelChLabel.at(row) = u"CH%1"_s.arg(row + 1);
        state.ModelDefaultItem.at(row) = u"既定"_s;
        const int first = 3;
        const int gap = gapAfterFirst ? 1 : 0;
        setOption(state, row, first, u"00A"_s, u"A"_s);
        setOption(state, row, first + 1 + gap, u"00B"_s, u"B"_s);
        setOption(state, row, first + 2 + gap, u"00C"_s, u"C"_s);
        state.EepChannel.at(1 + row) = u"00A"_s;
    }
    return state;
}

struct RowView
{
    QString unit, format, code, lower, upper;
    bool operator==(const RowView &) const = default;
};

RowView rowView(const SettingsState &state, const ScreenModel &screen, int index)
{
    const ChannelRow &row = screen.channelRow(index);
    return {row.Label2().caption(), row.Label3().caption(), state.ChannelCode.at(index), row.Text1().text(),
            row.Text2().text()};
}

} // namespace

class TestChannelRowEditing : public QObject
{
    Q_OBJECT

private slots:
    void pickedEntry_setsUnitFormatAndCodeOfItsElement_data()
    {
        QTest::addColumn<bool>("gap");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("code");
        for (bool gap : {false, true}) {
            const char *layout = gap ? "gap" : "no gap";
            QTest::addRow("%s, entry 1", layout) << gap << 1 << u"00A"_s;
            QTest::addRow("%s, entry 2", layout) << gap << 2 << u"00B"_s;
            QTest::addRow("%s, entry 3", layout) << gap << 3 << u"00C"_s;
        }
    }

    void pickedEntry_setsUnitFormatAndCodeOfItsElement()
    {
        QFETCH(bool, gap);
        QFETCH(int, entry);
        QFETCH(QString, code);
        SettingsState state = modelWithThreeElements(gap);
        state.EepChannel.at(3) = u"127"_s;
        ScreenModel screen;
        ShowChannels(state, screen);
        const ChannelRow &row = screen.channelRow(2);

        pickChannelElement(state, screen, 2, entry);

        QCOMPARE(row.Combo1().currentIndex(), entry);
        QCOMPARE(row.Combo1().editText(), row.Combo1().entryTexts().at(entry));
        QCOMPARE(row.Label2().caption(), u"unit "_s + code);
        QCOMPARE(row.Label3().caption(), u"format "_s + code);
        QCOMPARE(state.ChannelCode.at(2), code);
    }

    void pickedDefaultElement_emptiesUnitAndFormat_andTakesCode127_data()
    {
        QTest::addColumn<QString>("defaultElement");
        QTest::newRow("named default") << u"既定"_s;
        QTest::newRow("empty default") << QString();
    }

    void pickedDefaultElement_emptiesUnitAndFormat_andTakesCode127()
    {
        QFETCH(QString, defaultElement);
        SettingsState state = modelWithThreeElements(false);
        state.ModelDefaultItem.at(4) = defaultElement;
        ScreenModel screen;
        ShowChannels(state, screen);
        QCOMPARE(state.ChannelCode.at(4), u"00A"_s);

        pickChannelElement(state, screen, 4, 0);

        QVERIFY(screen.channelRow(4).Label2().caption().isEmpty());
        QVERIFY(screen.channelRow(4).Label3().caption().isEmpty());
        QCOMPARE(state.ChannelCode.at(4), u"127"_s);
    }

    void pickOnRow5_changesRow5Only()
    {
        SettingsState state = modelWithThreeElements(false);
        for (int n = 17; n <= 48; ++n)
            state.EepChannel.at(n) = u"L%1"_s.arg(n);
        ScreenModel screen;
        ShowChannels(state, screen);
        QList<RowView> before;
        for (int row = 0; row < 16; ++row)
            before << rowView(state, screen, row);

        pickChannelElement(state, screen, 5, 3);

        for (int row = 0; row < 16; ++row) {
            RowView expected = before.at(row);
            if (row == 5)
                expected = {u"unit 00C"_s, u"format 00C"_s, u"00C"_s, expected.lower, expected.upper};
            QVERIFY2(rowView(state, screen, row) == expected, qPrintable(u"row %1"_s.arg(row)));
        }
    }

    // Nothing the list does not hold is a pick: no row, no entry of the row.
    void pickOutsideTheRowsOrTheList_changesNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("entry");
        QTest::newRow("row -1") << -1 << 1;
        QTest::newRow("row 16") << 16 << 1;
        QTest::newRow("entry -1") << 3 << -1;
        QTest::newRow("entry past the list") << 3 << 4;
    }

    void pickOutsideTheRowsOrTheList_changesNothing()
    {
        QFETCH(int, row);
        QFETCH(int, entry);
        SettingsState state = modelWithThreeElements(false);
        ScreenModel screen;
        ShowChannels(state, screen);
        const RowView before = rowView(state, screen, 3);

        pickChannelElement(state, screen, row, entry);

        QVERIFY(rowView(state, screen, 3) == before);
        QCOMPARE(screen.channelRow(3).Combo1().currentIndex(), 1);
    }

    // What was typed over the element goes when the operator picks it again from the list.
    void pickAfterTyping_showsTheEntryAgain()
    {
        SettingsState state = modelWithThreeElements(false);
        ScreenModel screen;
        ShowChannels(state, screen);
        ElementBox &box = screen.channelRow(1).Combo1();
        box.setEditText(u"typed"_s);
        QCOMPARE(box.currentIndex(), 1);

        pickChannelElement(state, screen, 1, 1);

        QCOMPARE(box.editText(), u"A"_s);
        QCOMPARE(state.ChannelCode.at(1), u"00A"_s);
    }
};

QTEST_MAIN(TestChannelRowEditing)
#include "tst_channel_row_editing.moc"
