#pragma once

#include "base/logger_items.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace telvaro::settings {

// One item of a settings file: the logger's own name for it (the read script's command without
// its "?") and the entry of the device image that holds its answer.
struct SettingsItem
{
    QString name;
    base::ItemBlock block = base::ItemBlock::Header;
    int entry = 0; // from 1 within its block's image table; 0 for the two header items
    const base::LoggerItems::Row *row = nullptr; // its row of the item table; none for the header items
};

// Every item, in the order a settings file lists them: the logger's model code and its answer
// to "EERC9" first, then the logger's items in the order of the item table, which is that of
// select.eep, select01.eep and select02.eep.
namespace SettingsItems {

constexpr int kModel = 0;
constexpr int kChannels = 1;
constexpr int kCount = 2 + base::LoggerItems::itemsIn(base::ItemBlock::Channel) + base::LoggerItems::itemsIn(base::ItemBlock::Mail)
                       + base::LoggerItems::itemsIn(base::ItemBlock::Connection);

const std::array<SettingsItem, kCount> &all();
const SettingsItem &at(int index);

std::optional<int> indexOf(QStringView name);
// The item a line of "Arm.eep", "mail.eep" or "Mmail.eep" sets: its key less the "=".
std::optional<int> indexOfScriptKey(QStringView key);

// The two passwords: reports and logs show them masked.
bool isSecret(int index);

} // namespace SettingsItems

} // namespace telvaro::settings
