#include "files/alarm_scripts.h"

#include "files/answer_bytes.h"
#include "text/narrowing.h"

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::text;

namespace telvaro::files {

namespace {

constexpr const LoggerItems::Row &kMode = LoggerItems::row("mode");
constexpr const LoggerItems::Row &kLimits = LoggerItems::row("ALARM");

bool takesAlarmLimits(const QString &alarmFlag)
{
    return alarmFlag != u"0";
}

// The two limit lines of a row, numbered by the running limit counter of the file.
void appendLimitLines(QList<ScriptLine> &lines, std::string_view name, const QString &separator,
                      int &number, const AlarmScriptInputs &inputs, int row)
{
    const QString key = LoggerItems::textOf(name);
    lines.append({key + QString::number(number) + separator, narrowed(inputs.lowerLimit[row]),
                  LoggerItems::captionOf(kLimits.caption, channelRowName(inputs.rowLabel[row], row)), inputs.lowerLimit[row]});
    lines.append({key + QString::number(number + 1) + separator, narrowed(inputs.upperLimit[row]),
                  LoggerItems::captionOf(kLimits.upperCaption, channelRowName(inputs.rowLabel[row], row)), inputs.upperLimit[row]});
    number += 2;
}

} // namespace

QString channelRowName(const QString &rowLabel, int row)
{
    // Spaces around a label in the model file would only pad the caption.
    const QString label = rowLabel.trimmed();
    return label.isEmpty() ? QString::number(row + 1) : label;
}

QList<ScriptLine> armScriptLines(const AlarmScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    int alarmNumber = kLimits.first;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        lines.append({LoggerItems::nameOf(kMode, row) + u'=', inputs.channelCode[row],
                      LoggerItems::captionOf(kMode.caption, channelRowName(inputs.rowLabel[row], row)), inputs.channelCode[row]});
        if (takesAlarmLimits(inputs.alarmFlag[row]))
            appendLimitLines(lines, kLimits.name, QStringLiteral("="), alarmNumber, inputs, row);
    }
    return lines;
}

// The limits once more, under their second name and with a "," where "Arm.eep" has "=".
QList<ScriptLine> armNetScriptLines(const AlarmScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    int limitNumber = kLimits.first;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        if (takesAlarmLimits(inputs.alarmFlag[row]))
            appendLimitLines(lines, kLimits.alsoWrittenAs, QStringLiteral(","), limitNumber, inputs, row);
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

bool BuildAlarmScript(const AppFolder &folder, const AlarmScriptInputs &inputs, const DeviceImageBytes &image)
{
    return writeScriptFile(folder, QStringLiteral("Arm.eep"),
                           scriptFileBytes(withAnswerBytes(armScriptLines(inputs), image)))
           && writeScriptFile(folder, QStringLiteral("ArmNet.eep"),
                              scriptFileBytes(withAnswerBytes(armNetScriptLines(inputs), image)));
}

} // namespace telvaro::files
