#include "state/settings_state.h"
#include "support/telvaro_names.h"

#include <QTest>

class TestSettingsState : public QObject
{
    Q_OBJECT

private slots:
    void tables_acceptTheirWholeInclusiveRange()
    {
        SettingsState state;
        state.EepChannel.at(0) = QStringLiteral("first");
        state.EepChannel.at(100) = QStringLiteral("last");
        state.ModelItemCode.at(16, 10) = QStringLiteral("999");
        state.AuthCodes.at(3) = -1;
        QCOMPARE(state.EepChannel.at(100), QStringLiteral("last"));
        QCOMPARE(state.ModelItemCode.at(16, 10), QStringLiteral("999"));
        QCOMPARE(state.AuthCodes.at(3), qint16(-1));
    }

    void indexesOutsideARange_areErrors()
    {
        SettingsState state;
        QVERIFY_THROWS_EXCEPTION(IndexError, state.EepChannel.at(101));
        QVERIFY_THROWS_EXCEPTION(IndexError, state.EepMail.at(31));
        QVERIFY_THROWS_EXCEPTION(IndexError, state.EepConnect.at(-1));
        QVERIFY_THROWS_EXCEPTION(IndexError, state.ModelItemName.at(17, 3));
        QVERIFY_THROWS_EXCEPTION(IndexError, state.ModelItemName.at(0, 11));
        QVERIFY_THROWS_EXCEPTION(IndexError, state.AuthNames.at(4));
    }

    void everyEntryStartsEmpty()
    {
        const SettingsState state;
        QVERIFY(state.EepChannel.at(50).isEmpty());
        QCOMPARE(state.AuthCodes.at(0), qint16(0));
        QCOMPARE(state.ApnAuthEnabled, kFalse);
    }

    void onlyAnExactZeroFlag_meansNoAlarmLimits_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("takesLimits");
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("00") << QStringLiteral("00") << true;
        QTest::newRow("blank 0") << QStringLiteral(" 0") << true;
        QTest::newRow("empty") << QString() << true;
    }

    void onlyAnExactZeroFlag_meansNoAlarmLimits()
    {
        QFETCH(QString, flag);
        QFETCH(bool, takesLimits);
        SettingsState state;
        state.ModelAlarmFlag.at(4) = flag;
        QCOMPARE(takesAlarmLimits(state, 4), takesLimits);
    }
};

QTEST_GUILESS_MAIN(TestSettingsState)
#include "tst_settings_state.moc"
