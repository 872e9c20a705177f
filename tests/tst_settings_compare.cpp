#include "settings/item_captions.h"
#include "settings/settings_compare.h"
#include "settings/shown_value.h"
#include "state/settings_state.h"
#include "support/model_tables.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Rows 0 and 2 take limits, row 1 and the rest do not; the first rows have the ChNo labels given.
SettingsState modelWithRowsZeroAndTwo(const QStringList &labels = {})
{
    SettingsState state;
    for (int row = 0; row <= 16; ++row)
        state.ModelAlarmFlag.at(row) = row == 0 || row == 2 ? u"1"_s : u"0"_s;
    for (int row = 0; row < labels.size(); ++row)
        state.ModelChLabel.at(row) = labels.at(row);
    return state;
}

QStringList labelsOf(const QString &pattern, int rows)
{
    QStringList labels;
    for (int row = 0; row < rows; ++row)
        labels.append(pattern.arg(row + 1));
    return labels;
}

// Row 0 offers 001 and 002 by name and 003 without one; row 1 names 001 otherwise and has a
// default element without a name.
SettingsState modelWithElements()
{
    SettingsState state;
    state.ModelDefaultItem.at(0) = u"未使用"_s;
    setOptionField(state, 0, 3, u"001"_s, u"温度"_s);
    setOptionField(state, 0, 4, u"002"_s, u"湿度"_s);
    setOptionField(state, 0, 5, u"003"_s, QString());
    setOptionField(state, 1, 3, u"001"_s, u"電圧"_s);
    setOptionField(state, 1, 7, u"001"_s, u"電流"_s); // the same code twice: the later field's name
    return state;
}

} // namespace

class TestSettingsCompare : public QObject
{
    Q_OBJECT

private slots:
    void captions_nameTheFieldsAsThePreFlightCheck_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        // Without row labels a row goes by its number from 1.
        QTest::newRow("element") << u"mode7"_s << u"要素名 8"_s;
        QTest::newRow("first row's lower limit") << u"ALARM0"_s << u"警報下限値 1"_s;
        QTest::newRow("limits skip the row without") << u"ALARM2"_s << u"警報下限値 3"_s;
        QTest::newRow("upper limit") << u"ALARM3"_s << u"警報上限値 3"_s;
        QTest::newRow("a limit no row sends") << u"ALARM4"_s << QString();
        QTest::newRow("alarm address") << u"CAALARMADDRESS3"_s << u"警報送信先アドレス 3"_s;
        QTest::newRow("data address") << u"CADATAADDRESS6"_s << u"データ送信先アドレス 6"_s;
        QTest::newRow("login") << u"CALOGINID"_s << u"LoginID"_s;
        QTest::newRow("APN") << u"CAAPN"_s << u"APN"_s;
        QTest::newRow("authentication") << u"CAAUTHTYPE"_s << u"Auth"_s;
        QTest::newRow("model") << u"model"_s << u"model code"_s;
    }

    void captions_nameTheFieldsAsThePreFlightCheck()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QCOMPARE(itemCaptions(modelWithRowsZeroAndTwo()).at(*SettingsItems::indexOf(item)), caption);
    }

    void captions_nameAChannelRowAsItsChNoColumn_data()
    {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        const QStringList ch = labelsOf(u"CH%1"_s, 16);
        QTest::newRow("CH, element") << ch << u"mode15"_s << u"要素名 CH16"_s;
        QTest::newRow("CH, lower limit") << ch << u"ALARM0"_s << u"警報下限値 CH1"_s;
        QTest::newRow("CH, upper limit past a row without") << ch << u"ALARM3"_s << u"警報上限値 CH3"_s;
        QTest::newRow("CH, addresses keep their numbers") << ch << u"CAALARMADDRESS3"_s << u"警報送信先アドレス 3"_s;
        const QStringList numbers = labelsOf(u"%1"_s, 16);
        QTest::newRow("1, lower limit") << numbers << u"ALARM2"_s << u"警報下限値 3"_s;
        // Labels that are not the row numbers show as they are.
        QTest::newRow("labels of their own") << QStringList{u"A"_s, u"B"_s, u"気温"_s} << u"ALARM2"_s << u"警報下限値 気温"_s;
        QTest::newRow("spaces around a label") << QStringList{u" CH1 "_s} << u"mode0"_s << u"要素名 CH1"_s;
        QTest::newRow("a row past the model's lines") << labelsOf(u"CH%1"_s, 4) << u"mode4"_s << u"要素名 5"_s;
        QTest::newRow("a blank label") << QStringList{u"  "_s} << u"ALARM1"_s << u"警報上限値 1"_s;
    }

    void captions_nameAChannelRowAsItsChNoColumn()
    {
        QFETCH(QStringList, labels);
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QCOMPARE(itemCaptions(modelWithRowsZeroAndTwo(labels)).at(*SettingsItems::indexOf(item)), caption);
    }

    void shownValue_givesAnElementCodeItsName_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("modelKnown");
        QTest::addColumn<QString>("shown");
        QTest::newRow("named element") << u"mode0"_s << u"002"_s << true << u"湿度 (002)"_s;
        QTest::newRow("default element") << u"mode0"_s << u"127"_s << true << u"未使用 (127)"_s;
        QTest::newRow("the row's own name") << u"mode1"_s << u"001"_s << true << u"電流 (001)"_s;
        QTest::newRow("default element without a name") << u"mode1"_s << u"127"_s << true << u"127"_s;
        QTest::newRow("element without a name") << u"mode0"_s << u"003"_s << true << u"003"_s;
        QTest::newRow("a code the row does not offer") << u"mode0"_s << u"010"_s << true << u"010"_s;
        QTest::newRow("empty") << u"mode0"_s << QString() << true << QString();
        QTest::newRow("no model") << u"mode0"_s << u"001"_s << false << u"001"_s;
        QTest::newRow("not an element") << u"CAPOPID"_s << u"001"_s << true << u"001"_s;
    }

    void shownValue_givesAnElementCodeItsName()
    {
        QFETCH(QString, item);
        QFETCH(QString, value);
        QFETCH(bool, modelKnown);
        QFETCH(QString, shown);
        const SettingsState state = modelKnown ? modelWithElements() : SettingsState();
        QCOMPARE(shownValue(*SettingsItems::indexOf(item), value, state), shown);
    }

    void differences_listEveryDifferingItemInFileOrder()
    {
        const DeviceSettings left = settingsOf({{u"CAAPN"_s, u"apn.a"_s}, {u"ALARM3"_s, u"50"_s}, {u"model"_s, u"GSN"_s},
                                                {u"CALOGINID"_s, u"same"_s}, {u"CAPOPID"_s, QString()}});
        DeviceSettings right = left;
        right.set(u"CAAPN", u"apn.b"_s);
        right.set(u"ALARM3", u"５０"_s); // what a read shows differs from what was typed
        right.remove(*SettingsItems::indexOf(u"CAPOPID"));
        right.set(u"CATELNO", u"0312345678"_s);

        const QList<ItemDifference> differences = differingItems(left, right, modelWithRowsZeroAndTwo());
        QStringList names;
        for (const ItemDifference &difference : differences)
            names.append(difference.name);
        QCOMPARE(names, (QStringList{u"ALARM3"_s, u"CATELNO"_s, u"CAPOPID"_s, u"CAAPN"_s}));
        QCOMPARE(differences.at(0), (ItemDifference{*SettingsItems::indexOf(u"ALARM3"), u"ALARM3"_s,
                                                    u"警報上限値 3"_s, u"50"_s, u"５０"_s}));
        QCOMPARE(differences.at(1).left, std::nullopt);
        QCOMPARE(differences.at(2).left, QString());
        QCOMPARE(differences.at(2).right, std::nullopt);
        QVERIFY(differingItems(left, left, SettingsState()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsCompare)
#include "tst_settings_compare.moc"
