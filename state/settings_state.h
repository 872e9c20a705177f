#pragma once

#include "base/fixed_table.h"
#include "base/logger_items.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace telvaro::state {

// Flags are 16-bit integers, compared with kTrue exactly.
constexpr qint16 kFalse = 0;
constexpr qint16 kTrue = -1;

// The bytes each answer of the device image came in, line ends removed, entry by entry beside
// its text. Code page 932 gives some characters two codes (87 90 and 81 E0 are both U+2252):
// the text cannot tell which one the logger holds, so a value written back unchanged takes its
// bytes from here.
struct DeviceImageBytes
{
    base::FixedTable<QByteArray, 100> EepChannel;
    base::FixedTable<QByteArray, 30> EepMail;
    base::FixedTable<QByteArray, 30> EepConnect;
};

// The one set of tables through which the parts of the tool hand data to each other.
// It lives for the whole run and is never cleared: an entry keeps its value until that
// very entry is written again, also across several reads. The names are those the
// read scripts, the model files and the screen agree on, so they are kept as they are.
struct SettingsState
{
    // Device image: the n-th answer of a block (n from 1), line ends removed.
    base::FixedTable<QString, 100> EepChannel;
    base::FixedTable<QString, 30> EepMail;
    base::FixedTable<QString, 30> EepConnect;
    DeviceImageBytes ImageBytes;
    QString ModelIniPath;
    // What the logger says of itself: its model code (the answer to "EERM0" less its last six
    // characters) and its answer to "EERC9", line ends removed. Nothing until a read receives
    // them; before any read, a settings file opened on the screen may give them.
    std::optional<QString> ModelCode;
    std::optional<QString> ChannelsAnswer;

    // Model tables: model line i describes channel row i; option fields 3..10 only.
    base::FixedTable<QString, 16> ModelChLabel;
    base::FixedTable<QString, 16> ModelAlarmFlag;
    base::FixedTable<QString, 16> ModelDefaultItem;
    base::FixedTable2D<QString, 16, 10> ModelItemCode;
    base::FixedTable2D<QString, 16, 10> ModelItemName;
    base::FixedTable2D<QString, 16, 10> ModelItemUnit;
    base::FixedTable2D<QString, 16, 10> ModelItemFormat;

    // Screen-side state.
    base::FixedTable<QString, 16> ChannelCode;
    base::FixedTable<qint16, 3> AuthCodes;
    base::FixedTable<QString, 3> AuthNames;
    qint16 ApnAuthEnabled = kFalse;
};

// A read keeps each item of the item table at its position in its block's table, and a channel
// row's model line and element code at the row.
static_assert(base::LoggerItems::itemsIn(base::ItemBlock::Channel) <= decltype(SettingsState::EepChannel)::kLast);
static_assert(base::LoggerItems::itemsIn(base::ItemBlock::Mail) <= decltype(SettingsState::EepMail)::kLast);
static_assert(base::LoggerItems::itemsIn(base::ItemBlock::Connection) <= decltype(SettingsState::EepConnect)::kLast);
static_assert(decltype(DeviceImageBytes::EepChannel)::kLast == decltype(SettingsState::EepChannel)::kLast
              && decltype(DeviceImageBytes::EepMail)::kLast == decltype(SettingsState::EepMail)::kLast
              && decltype(DeviceImageBytes::EepConnect)::kLast == decltype(SettingsState::EepConnect)::kLast,
              "every entry of the device image has its bytes");
static_assert(base::LoggerItems::kChannelRows - 1 <= decltype(SettingsState::ChannelCode)::kLast
              && base::LoggerItems::kChannelRows - 1 <= decltype(SettingsState::ModelAlarmFlag)::kLast);

// A row takes alarm limits unless its flag is exactly "0".
inline bool takesAlarmLimits(const SettingsState &state, int row)
{
    return state.ModelAlarmFlag.at(row) != QStringLiteral("0");
}

} // namespace telvaro::state
