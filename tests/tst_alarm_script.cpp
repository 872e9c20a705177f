#include "files/alarm_scripts.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"

#include <QDir>
#include <QTest>


using namespace Qt::StringLiterals;

namespace {

// Sixteen rows with element code "127" that take no alarm limits.
AlarmScriptInputs rowsWithoutLimits()
{
    AlarmScriptInputs inputs;
    inputs.channelCode.fill(u"127"_s);
    inputs.alarmFlag.fill(u"0"_s);
    return inputs;
}

QByteArray modeLines(int firstRow, int lastRow)
{
    QByteArray bytes;
    for (int row = firstRow; row <= lastRow; ++row)
        bytes += "mode" + QByteArray::number(row) + "=127\r\n";
    return bytes;
}

QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestAlarmScript : public QObject
{
    Q_OBJECT

private slots:
    void rowsWithoutLimits_giveSixteenModeLines_andAnEmptyNetScript()
    {
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.channelCode[0] = u"001"_s;
        inputs.channelCode[15] = u"210"_s;
        inputs.lowerLimit[3] = u"5"_s; // not sent: the row takes no limits
        QCOMPARE(armScriptBytes(inputs),
                 QByteArray("mode0=001\r\n") + modeLines(1, 14) + QByteArray("mode15=210\r\n"));
        QCOMPARE(armNetScriptBytes(inputs), QByteArray());
    }

    void limitsAreNumberedOverTheRowsThatTakeThem()
    {
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.channelCode[0] = u"101"_s;
        inputs.channelCode[1] = u"102"_s;
        inputs.channelCode[2] = u"103"_s;
        inputs.alarmFlag[0] = u"1"_s;
        inputs.alarmFlag[2] = u"1"_s;
        inputs.lowerLimit = {u"-10"_s, u"-99"_s, u"0.5"_s};
        inputs.upperLimit = {u"50"_s, u"99"_s, u"1.5"_s};

        QCOMPARE(armScriptBytes(inputs), QByteArray("mode0=101\r\n"
                                                    "ALARM0=-10\r\n"
                                                    "ALARM1=50\r\n"
                                                    "mode1=102\r\n"
                                                    "mode2=103\r\n"
                                                    "ALARM2=0.5\r\n"
                                                    "ALARM3=1.5\r\n")
                                             + modeLines(3, 15));
        QCOMPARE(armNetScriptBytes(inputs), QByteArray("CAEEWF0,-10\r\n"
                                                       "CAEEWF1,50\r\n"
                                                       "CAEEWF2,0.5\r\n"
                                                       "CAEEWF3,1.5\r\n"));
    }

    void allRowsWithLimits_giveFortyEightAndThirtyTwoLines()
    {
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.alarmFlag.fill(u"1"_s);
        inputs.lowerLimit.fill(u"1"_s);
        inputs.upperLimit.fill(u"2"_s);
        inputs.lowerLimit[15] = u"-5"_s;
        inputs.upperLimit[15] = u"5"_s;

        const QList<QByteArray> arm = linesOf(armScriptBytes(inputs));
        QCOMPARE(arm.size(), 48);
        QCOMPARE(arm.mid(0, 3), (QList<QByteArray>{"mode0=127\r", "ALARM0=1\r", "ALARM1=2\r"}));
        QCOMPARE(arm.mid(45), (QList<QByteArray>{"mode15=127\r", "ALARM30=-5\r", "ALARM31=5\r"}));

        const QList<QByteArray> net = linesOf(armNetScriptBytes(inputs));
        QCOMPARE(net.size(), 32);
        QCOMPARE(net.first(), QByteArray("CAEEWF0,1\r"));
        QCOMPARE(net.mid(28), (QList<QByteArray>{"CAEEWF28,1\r", "CAEEWF29,2\r", "CAEEWF30,-5\r", "CAEEWF31,5\r"}));
    }

    void onlyTheFlagZeroItselfExcludesARow_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("takesLimits");
        QTest::newRow("0") << u"0"_s << false;
        QTest::newRow("00") << u"00"_s << true;
        QTest::newRow("blank before 0") << u" 0"_s << true;
        QTest::newRow("0 and blank") << u"0 "_s << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("full-width 0") << u"０"_s << true;
        QTest::newRow("1") << u"1"_s << true;
    }

    void onlyTheFlagZeroItselfExcludesARow()
    {
        QFETCH(QString, flag);
        QFETCH(bool, takesLimits);
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.alarmFlag[4] = flag;
        inputs.lowerLimit[4] = u"3"_s;
        inputs.upperLimit[4] = u"7"_s;

        const QByteArray limits = takesLimits ? QByteArray("ALARM0=3\r\nALARM1=7\r\n") : QByteArray();
        QCOMPARE(armScriptBytes(inputs), modeLines(0, 4) + limits + modeLines(5, 15));
        QCOMPARE(armNetScriptBytes(inputs),
                 takesLimits ? QByteArray("CAEEWF0,3\r\nCAEEWF1,7\r\n") : QByteArray());
    }

    void limitBoxesAreNarrowed_elementCodesWrittenVerbatim_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QByteArray>("arm");
        QTest::addColumn<QByteArray>("net");

        QTest::newRow("empty boxes end the line after the separator")
            << u"127"_s << QString() << QString() << QByteArray("mode0=127\r\nALARM0=\r\nALARM1=\r\n")
            << QByteArray("CAEEWF0,\r\nCAEEWF1,\r\n");
        QTest::newRow("full-width digits, minus and full stop")
            << u"127"_s << u"－１２．５"_s << u"３０．０"_s
            << QByteArray("mode0=127\r\nALARM0=-12.5\r\nALARM1=30.0\r\n")
            << QByteArray("CAEEWF0,-12.5\r\nCAEEWF1,30.0\r\n");
        QTest::newRow("blanks are kept") << u"127"_s << u" 1 "_s << u"\u30002"_s
                                         << QByteArray("mode0=127\r\nALARM0= 1 \r\nALARM1= 2\r\n")
                                         << QByteArray("CAEEWF0, 1 \r\nCAEEWF1, 2\r\n");
        QTest::newRow("full-width element code")
            << u"１２７"_s << u"1"_s << u"2"_s
            << (QByteArray("mode0=") + QByteArray::fromHex("825082518256") + "\r\nALARM0=1\r\nALARM1=2\r\n")
            << QByteArray("CAEEWF0,1\r\nCAEEWF1,2\r\n");
        QTest::newRow("kanji and half-width katakana in code page 932")
            << u"127"_s << u"温度"_s << u"ｶﾞ"_s
            << (QByteArray("mode0=127\r\nALARM0=") + QByteArray::fromHex("89b79378") + "\r\nALARM1="
                + QByteArray::fromHex("b6de") + "\r\n")
            << (QByteArray("CAEEWF0,") + QByteArray::fromHex("89b79378") + "\r\nCAEEWF1,"
                + QByteArray::fromHex("b6de") + "\r\n");
    }

    void limitBoxesAreNarrowed_elementCodesWrittenVerbatim()
    {
        QFETCH(QString, code);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QByteArray, arm);
        QFETCH(QByteArray, net);
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.channelCode[0] = code;
        inputs.alarmFlag[0] = u"1"_s;
        inputs.lowerLimit[0] = lower;
        inputs.upperLimit[0] = upper;
        QCOMPARE(armScriptBytes(inputs), arm + modeLines(1, 15));
        QCOMPARE(armNetScriptBytes(inputs), net);
    }

    void build_writesBothFiles_overEarlierCopies()
    {
        TempAppFolder folder;
        folder.writeFile(u"ArmNet.eep"_s, QByteArray("CAEEWF0,stale\r\n"));
        AlarmScriptInputs inputs = rowsWithoutLimits();
        inputs.alarmFlag[1] = u"1"_s;
        inputs.lowerLimit[1] = u"１"_s;
        inputs.upperLimit[1] = u"２"_s;

        QVERIFY(BuildAlarmScript(folder.appFolder(), inputs, DeviceImageBytes{}));
        QCOMPARE(folder.readFile(u"Arm.eep"_s),
                 modeLines(0, 1) + QByteArray("ALARM0=1\r\nALARM1=2\r\n") + modeLines(2, 15));
        QCOMPARE(folder.readFile(u"ArmNet.eep"_s), QByteArray("CAEEWF0,1\r\nCAEEWF1,2\r\n"));
    }

};

QTEST_GUILESS_MAIN(TestAlarmScript)
#include "tst_alarm_script.moc"
