#pragma once

#include "settings/device_settings.h"

#include <QList>
#include <QString>

#include <optional>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {

// An item whose value differs between two sets of settings; a side that does not give the item
// has no value.
struct ItemDifference
{
    int item = 0;
    QString name;
    QString caption; // as itemCaptions() names it
    std::optional<QString> left;
    std::optional<QString> right;

    friend bool operator==(const ItemDifference &, const ItemDifference &) = default;
};

// Every item, in file order, whose value differs, an item that only one side gives included.
// The captions follow the alarm flags of the model the state holds.
QList<ItemDifference> differingItems(const DeviceSettings &left, const DeviceSettings &right,
                                     const state::SettingsState &state);

} // namespace telvaro::settings
