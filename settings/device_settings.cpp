#include "settings/device_settings.h"

#include "base/run_time_error.h"

#include <algorithm>

using namespace telvaro::base;

namespace telvaro::settings {

int DeviceSettings::count() const
{
    return int(std::count_if(m_values.begin(), m_values.end(), [](const auto &value) { return value.has_value(); }));
}

void DeviceSettings::overlay(const DeviceSettings &top)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (top.contains(item))
            set(item, *top.value(item));
    }
}

std::size_t DeviceSettings::checked(int item)
{
    if (item < 0 || item >= SettingsItems::kCount)
        throw IndexError(QStringLiteral("settings item %1 outside 0..%2").arg(item).arg(SettingsItems::kCount - 1));
    return std::size_t(item);
}

int DeviceSettings::indexOfKnown(QStringView name)
{
    const std::optional<int> item = SettingsItems::indexOf(name);
    if (!item)
        throw RunTimeError(QStringLiteral("no settings item is named %1").arg(name));
    return *item;
}

} // namespace telvaro::settings
