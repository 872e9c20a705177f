#include "state/settings_state.h"
#include "support/combo_pick.h"
#include "support/screen_controls_fixture.h"
#include "widgets/editing_handlers.h"
#include "widgets/show_channels.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void setOption(SettingsState &state, int row, int field, const QString &code, const QString &name)
{
    state.ModelItemCode.at(row, field) = code;
    state.ModelItemName.at(row, field) = name;
    state.ModelItemUnit.at(row, field) = u"unit %1"_s.arg(code);
    state.ModelItemFormat.at(row, field) = u"format %1"_s.arg(code);
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

RowView rowView(const SettingsState &state, const ScreenControls &c, int row)
{
    return {c.Label2[row]->text(), c.Label3[row]->text(), state.ChannelCode.at(row),
            c.Text1[row]->text(), c.Text2[row]->text()};
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
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowChannels(state, c);
        connectEditingHandlers(state, c);

        pickComboEntry(c.Combo1[2], entry);

        QCOMPARE(c.Combo1[2]->currentIndex(), entry);
        QCOMPARE(c.Label2[2]->text(), u"unit "_s + code);
        QCOMPARE(c.Label3[2]->text(), u"format "_s + code);
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
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowChannels(state, c);
        connectEditingHandlers(state, c);
        QCOMPARE(state.ChannelCode.at(4), u"00A"_s);

        pickComboEntry(c.Combo1[4], 0);

        QVERIFY(c.Label2[4]->text().isEmpty());
        QVERIFY(c.Label3[4]->text().isEmpty());
        QCOMPARE(state.ChannelCode.at(4), u"127"_s);
    }

    void pickOnRow5_changesRow5Only()
    {
        SettingsState state = modelWithThreeElements(false);
        for (int n = 17; n <= 48; ++n)
            state.EepChannel.at(n) = u"L%1"_s.arg(n);
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowChannels(state, c);
        connectEditingHandlers(state, c);
        QList<RowView> before;
        for (int row = 0; row < 16; ++row)
            before << rowView(state, c, row);

        pickComboEntry(c.Combo1[5], 3);

        for (int row = 0; row < 16; ++row) {
            RowView expected = before.at(row);
            if (row == 5)
                expected = {u"unit 00C"_s, u"format 00C"_s, u"00C"_s, expected.lower, expected.upper};
            QVERIFY2(rowView(state, c, row) == expected, qPrintable(u"row %1"_s.arg(row)));
        }
    }

    void typing_changesNeitherTheRowNorItsCode_norTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("other text") << u"X"_s;
        QTest::newRow("name of another element") << u"C"_s;
    }

    void typing_changesNeitherTheRowNorItsCode_norTheList()
    {
        QFETCH(QString, typed);
        SettingsState state = modelWithThreeElements(false);
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowChannels(state, c);
        connectEditingHandlers(state, c);
        const RowView before = rowView(state, c, 1);

        c.Combo1[1]->lineEdit()->selectAll();
        QTest::keyClicks(c.Combo1[1]->lineEdit(), typed);

        QCOMPARE(c.Combo1[1]->currentText(), typed);
        QVERIFY(rowView(state, c, 1) == before);
        QCOMPARE(c.Combo1[1]->count(), 4);
    }

    void typedTextConfirmed_neverBecomesAListEntry()
    {
        SettingsState state = modelWithThreeElements(false);
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowChannels(state, c);
        connectEditingHandlers(state, c);

        c.Combo1[1]->lineEdit()->selectAll();
        QTest::keyClicks(c.Combo1[1]->lineEdit(), u"typed"_s);
        QTest::keyClick(c.Combo1[1]->lineEdit(), Qt::Key_Return);

        QCOMPARE(c.Combo1[1]->count(), 4);
        QCOMPARE(state.ChannelCode.at(1), u"00A"_s);
    }
};

QTEST_MAIN(TestChannelRowEditing)
#include "tst_channel_row_editing.moc"
