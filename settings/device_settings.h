#pragma once

#include "settings/settings_items.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace telvaro::settings {

// The settings of one logger as the logger itself holds them: for each item of the catalogue
// (SettingsItems), its answer to the read, or nothing when the item is not given.
class DeviceSettings
{
public:
    const std::optional<QString> &value(int item) const { return m_values.at(checked(item)); }
    bool contains(int item) const { return value(item).has_value(); }
    void set(int item, const QString &value) { m_values.at(checked(item)) = value; }
    void remove(int item) { m_values.at(checked(item)).reset(); }

    // By the item's name; an unknown name is a RunTimeError.
    const std::optional<QString> &value(QStringView name) const { return value(indexOfKnown(name)); }
    void set(QStringView name, const QString &value) { set(indexOfKnown(name), value); }

    // How many items are given.
    int count() const;

    // Every item that top gives replaces this one's; the others stay as they are.
    void overlay(const DeviceSettings &top);

    friend bool operator==(const DeviceSettings &, const DeviceSettings &) = default;

private:
    static std::size_t checked(int item);
    static int indexOfKnown(QStringView name);

    std::array<std::optional<QString>, SettingsItems::kCount> m_values;
};

} // namespace telvaro::settings
