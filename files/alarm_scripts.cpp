#include "files/alarm_scripts.h"

#include "text/narrowing.h"

namespace {

bool takesAlarmLimits(const QString &alarmFlag)
{
    return alarmFlag != u"0";
}

QString lowerLimitCaption(int row)
{
    return QStringLiteral("警報下限値 %1").arg(row);
}

QString upperLimitCaption(int row)
{
    return QStringLiteral("警報上限値 %1").arg(row);
}

// The two limit lines of a row; number is the running limit counter of the file.
void appendLimitLines(QList<ScriptLine> &lines, const QString &prefix, const QString &separator,
                      int &number, const AlarmScriptInputs &inputs, int row)
{
    lines.append({prefix + QString::number(number) + separator, narrowed(inputs.lowerLimit[row]),
                  lowerLimitCaption(row)});
    lines.append({prefix + QString::number(number + 1) + separator, narrowed(inputs.upperLimit[row]),
                  upperLimitCaption(row)});
    number += 2;
}

} // namespace

QList<ScriptLine> armScriptLines(const AlarmScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    int alarmNumber = 0;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        lines.append({QStringLiteral("mode%1=").arg(row), inputs.channelCode[row],
                      QStringLiteral("要素名 %1").arg(row)});
        if (takesAlarmLimits(inputs.alarmFlag[row]))
            appendLimitLines(lines, QStringLiteral("ALARM"), QStringLiteral("="), alarmNumber, inputs, row);
    }
    return lines;
}

QList<ScriptLine> armNetScriptLines(const AlarmScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    int limitNumber = 0;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        if (takesAlarmLimits(inputs.alarmFlag[row]))
            appendLimitLines(lines, QStringLiteral("CAEEWF"), QStringLiteral(","), limitNumber, inputs, row);
    }
    return lines;
}

QByteArray armScriptBytes(const AlarmScriptInputs &inputs)
{
    return scriptFileBytes(armScriptLines(inputs));
}

QByteArray armNetScriptBytes(const AlarmScriptInputs &inputs)
{
    return scriptFileBytes(armNetScriptLines(inputs));
}

bool BuildAlarmScript(const AppFolder &folder, const AlarmScriptInputs &inputs)
{
    return writeScriptFile(folder, QStringLiteral("Arm.eep"), armScriptBytes(inputs))
           && writeScriptFile(folder, QStringLiteral("ArmNet.eep"), armNetScriptBytes(inputs));
}
