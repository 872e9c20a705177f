#include "settings/settings_compare.h"

#include "settings/item_captions.h"

using namespace telvaro::state;

namespace telvaro::settings {

QList<ItemDifference> differingItems(const DeviceSettings &left, const DeviceSettings &right,
                                     const SettingsState &state)
{
    const auto captions = itemCaptions(state);
    QList<ItemDifference> differences;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (left.value(item) != right.value(item))
            differences.append({item, SettingsItems::at(item).name, captions.at(item), left.value(item), right.value(item)});
    }
    return differences;
}

} // namespace telvaro::settings
