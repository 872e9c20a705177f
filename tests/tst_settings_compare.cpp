#include "settings/item_captions.h"
#include "settings/settings_compare.h"
#include "state/settings_state.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Rows 0 and 2 take limits, row 1 and the rest do not.
SettingsState modelWithRowsZeroAndTwo()
{
    SettingsState state;
    for (int row = 0; row <= 16; ++row)
        state.ModelAlarmFlag.at(row) = row == 0 || row == 2 ? u"1"_s : u"0"_s;
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
        QTest::newRow("element") << u"mode7"_s << u"要素名 7"_s;
        QTest::newRow("first row's lower limit") << u"ALARM0"_s << u"警報下限値 0"_s;
        QTest::newRow("limits skip the row without") << u"ALARM2"_s << u"警報下限値 2"_s;
        QTest::newRow("upper limit") << u"ALARM3"_s << u"警報上限値 2"_s;
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
                                                    u"警報上限値 2"_s, u"50"_s, u"５０"_s}));
        QCOMPARE(differences.at(1).left, std::nullopt);
        QCOMPARE(differences.at(2).left, QString());
        QCOMPARE(differences.at(2).right, std::nullopt);
        QVERIFY(differingItems(left, left, SettingsState()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsCompare)
#include "tst_settings_compare.moc"
