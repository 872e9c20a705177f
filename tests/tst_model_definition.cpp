#include "files/model_definition.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"
#include "text/cp932.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray crlfFile(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Cp932::encode(line) + "\r\n";
    return bytes;
}

QStringList numberedLines(int count, const QString &tag)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1%2,1,d").arg(tag).arg(i);
    return lines;
}

} // namespace

class TestModelDefinition : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAndSubFields_fillTheirTables_asWrittenInCodePage932()
    {
        SettingsState state;
        applyModelDefinition(state, crlfFile({
            QStringLiteral("x,0,y"),
            QStringLiteral(" CH2 ,1,未使用,001;温度;℃;0.0,002;湿度;％;0,003;a;b;c;ignored"),
        }));
        QCOMPARE(state.ModelChLabel.at(1), QStringLiteral(" CH2 "));
        QCOMPARE(state.ModelAlarmFlag.at(1), QStringLiteral("1"));
        QCOMPARE(state.ModelDefaultItem.at(1), QStringLiteral("未使用"));
        QCOMPARE(state.ModelItemCode.at(1, 3), QStringLiteral("001"));
        QCOMPARE(state.ModelItemName.at(1, 3), QStringLiteral("温度"));
        QCOMPARE(state.ModelItemUnit.at(1, 3), QStringLiteral("℃"));
        QCOMPARE(state.ModelItemFormat.at(1, 3), QStringLiteral("0.0"));
        QCOMPARE(state.ModelItemUnit.at(1, 4), QStringLiteral("％"));
        QCOMPARE(state.ModelItemFormat.at(1, 5), QStringLiteral("c"));
        QCOMPARE(state.ModelChLabel.at(0), QStringLiteral("x"));
        QVERIFY(state.ModelItemCode.at(0, 3).isEmpty());
    }

    void optionField_overwritesOnlyTheSubFieldsItHas_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("entries"); // code, name, unit, format afterwards
        QTest::newRow("two sub-fields") << QStringLiteral("5;X") << QStringList{u"5"_s, u"X"_s, u"old"_s, u"old"_s};
        QTest::newRow("lone ;") << QStringLiteral(";") << QStringList{u""_s, u""_s, u"old"_s, u"old"_s};
        QTest::newRow("empty field") << QString() << QStringList{u"old"_s, u"old"_s, u"old"_s, u"old"_s};
        QTest::newRow("one sub-field") << QStringLiteral("7") << QStringList{u"7"_s, u"old"_s, u"old"_s, u"old"_s};
    }

    void optionField_overwritesOnlyTheSubFieldsItHas()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, entries);
        SettingsState state;
        for (auto *table : {&state.ModelItemCode, &state.ModelItemName, &state.ModelItemUnit,
                            &state.ModelItemFormat})
            table->at(2, 3) = QStringLiteral("old");
        applyModelDefinition(state, crlfFile({QStringLiteral("a,1,d"), QStringLiteral("b,1,d"),
                                              QStringLiteral("c,1,d,") + field}));
        QCOMPARE((QStringList{state.ModelItemCode.at(2, 3), state.ModelItemName.at(2, 3),
                              state.ModelItemUnit.at(2, 3), state.ModelItemFormat.at(2, 3)}),
                 entries);
    }

    void lineEnds_crLfBareLfOrNoneAtTheEnd_allEndALine()
    {
        SettingsState state;
        applyModelDefinition(state, QByteArray("A,1,d\r\nB,0,e\nC,1,f;g"));
        QCOMPARE(state.ModelChLabel.at(0), QStringLiteral("A"));
        QCOMPARE(state.ModelDefaultItem.at(1), QStringLiteral("e"));
        QCOMPARE(state.ModelChLabel.at(2), QStringLiteral("C"));
        QCOMPARE(state.ModelDefaultItem.at(2), QStringLiteral("f;g"));
    }

    void emptyLine_storesNothingButTakesItsLineNumber()
    {
        SettingsState state;
        state.ModelChLabel.at(1) = QStringLiteral("kept");
        applyModelDefinition(state, crlfFile({QStringLiteral("A,1,d"), QString(), QStringLiteral("C,1,d")}));
        QCOMPARE(state.ModelChLabel.at(1), QStringLiteral("kept"));
        QCOMPARE(state.ModelChLabel.at(2), QStringLiteral("C"));
    }

    void shorterFileAfterLongerOne_keepsTheLaterLinesOfTheFirst()
    {
        SettingsState state;
        state.ModelChLabel.at(16) = QStringLiteral("line 16");
        applyModelDefinition(state, crlfFile(numberedLines(16, QStringLiteral("first"))));
        applyModelDefinition(state, crlfFile(numberedLines(8, QStringLiteral("second"))));
        QCOMPARE(state.ModelChLabel.at(7), QStringLiteral("second7"));
        QCOMPARE(state.ModelChLabel.at(8), QStringLiteral("first8"));
        QCOMPARE(state.ModelChLabel.at(15), QStringLiteral("first15"));
        QCOMPARE(state.ModelChLabel.at(16), QStringLiteral("line 16"));
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fails");
        const QStringList seventeen = numberedLines(17, QStringLiteral("ch"));
        QTest::newRow("17 lines") << crlfFile(seventeen) << false;
        QTest::newRow("empty 18th line") << crlfFile(seventeen + QStringList{QString(), QString()}) << false;
        QTest::newRow("18th line with text") << crlfFile(seventeen + QStringList{QStringLiteral(" ")}) << true;
        const QString tenOptions = QStringLiteral("a,1,d,1,2,3,4,5,6,7,8");
        QTest::newRow("options up to field 10") << crlfFile({tenOptions}) << false;
        QTest::newRow("empty field 11") << crlfFile({tenOptions + QStringLiteral(",")}) << false;
        QTest::newRow("filled field 11") << crlfFile({tenOptions + QStringLiteral(",9")}) << true;
        QTest::newRow("three empty fields") << crlfFile({QStringLiteral(",,")}) << false;
        QTest::newRow("two fields") << crlfFile({QStringLiteral(",")}) << true;
        QTest::newRow("one field") << crlfFile({QStringLiteral("a")}) << true;
    }

    void limits()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fails);
        SettingsState state;
        bool failed = false;
        try {
            applyModelDefinition(state, file);
        } catch (const RunTimeError &) {
            failed = true;
        }
        QCOMPARE(failed, fails);
    }

    void failure_leavesTheTablesFilledUpToTheFaultyEntry()
    {
        SettingsState state;
        state.ModelDefaultItem.at(1) = QStringLiteral("kept");
        QVERIFY_THROWS_EXCEPTION(RunTimeError, applyModelDefinition(state, crlfFile({
            QStringLiteral("a,1,d,1;x,,,,,,,9;y,0;z"),
            QStringLiteral("b,0"),
            QStringLiteral("c,1,d"),
        })));
        QCOMPARE(state.ModelItemName.at(0, 10), QStringLiteral("y"));
        QCOMPARE(state.ModelChLabel.at(0), QStringLiteral("a"));
        QVERIFY(state.ModelChLabel.at(1).isEmpty()); // the faulty option field ended line 0
    }

    void shortLine_storesWhatItHasBeforeFailing()
    {
        SettingsState state;
        state.ModelDefaultItem.at(0) = QStringLiteral("kept");
        QVERIFY_THROWS_EXCEPTION(RunTimeError, applyModelDefinition(state, crlfFile({QStringLiteral("a,0")})));
        QCOMPARE(state.ModelChLabel.at(0), QStringLiteral("a"));
        QCOMPARE(state.ModelAlarmFlag.at(0), QStringLiteral("0"));
        QCOMPARE(state.ModelDefaultItem.at(0), QStringLiteral("kept"));
    }

    void loading_readsTheFileAtTheModelPath_andIgnoresAMissingOne()
    {
        TempAppFolder folder;
        folder.writeFile(QStringLiteral("model.ini"), crlfFile({QStringLiteral("ＣＨ１,1,既定")}));
        SettingsState state;
        LoadModelDefinition(state); // empty path
        state.ModelIniPath = folder.filePath(QStringLiteral("absent.ini"));
        LoadModelDefinition(state);
        QVERIFY(state.ModelChLabel.at(0).isEmpty());

        state.ModelIniPath = folder.filePath(QStringLiteral("model.ini"));
        LoadModelDefinition(state);
        QCOMPARE(state.ModelChLabel.at(0), QStringLiteral("ＣＨ１"));
        QCOMPARE(state.ModelDefaultItem.at(0), QStringLiteral("既定"));
    }

    void loading_aMalformedFile_fails()
    {
        TempAppFolder folder;
        folder.writeFile(QStringLiteral("model.ini"), crlfFile({QStringLiteral("only one field")}));
        SettingsState state;
        state.ModelIniPath = folder.filePath(QStringLiteral("model.ini"));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, LoadModelDefinition(state));
    }
};

QTEST_GUILESS_MAIN(TestModelDefinition)
#include "tst_model_definition.moc"
