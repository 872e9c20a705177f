#pragma once

#include "base/logger_items.h"
#include "files/app_folder.h"
#include "files/script_file.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace telvaro::state {
struct DeviceImageBytes;
} // namespace telvaro::state

namespace telvaro::files {

// What the alarm scripts are built from, one entry per channel row 0..15.
struct AlarmScriptInputs
{
    static constexpr int kRows = base::LoggerItems::kChannelRows;

    std::array<QString, kRows> channelCode; // element code, written verbatim
    std::array<QString, kRows> alarmFlag;   // the row takes limits unless exactly "0"
    std::array<QString, kRows> lowerLimit;  // text of the "警報下限値" box
    std::array<QString, kRows> upperLimit;  // text of the "警報上限値" box
    // The row's ChNo caption from the model definition ("1", "CH1"); empty when no model is
    // known. It only names the row's lines to the operator (see channelRowName).
    std::array<QString, kRows> rowLabel;
};

// How the captions of a row's lines name the row: as its ChNo column shows it, so the operator
// finds the field the caption points at; by its number from 1 when there is no label to show.
QString channelRowName(const QString &rowLabel, int row);

// "Arm.eep": a mode line per row, two ALARM lines per row that takes limits.
QList<ScriptLine> armScriptLines(const AlarmScriptInputs &inputs);
// "ArmNet.eep": the same limits as CAEEWF lines; no lines when no row takes limits.
QList<ScriptLine> armNetScriptLines(const AlarmScriptInputs &inputs);

QByteArray armScriptBytes(const AlarmScriptInputs &inputs);
QByteArray armNetScriptBytes(const AlarmScriptInputs &inputs);

// Writes "Arm.eep", then "ArmNet.eep", a value the operator left alone in the bytes the image
// keeps for it (see withAnswerBytes). False as soon as one cannot be written.
bool BuildAlarmScript(const AppFolder &folder, const AlarmScriptInputs &inputs, const state::DeviceImageBytes &image);

} // namespace telvaro::files
