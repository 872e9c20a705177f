#include "settings/settings_items.h"

#include <QHash>

using namespace telvaro::base;

namespace telvaro::settings {

namespace {

std::array<SettingsItem, SettingsItems::kCount> buildCatalogue()
{
    std::array<SettingsItem, SettingsItems::kCount> items;
    std::size_t index = 0;
    items.at(index++) = {QStringLiteral("model"), ItemBlock::Header, 0};
    items.at(index++) = {QStringLiteral("channels"), ItemBlock::Header, 0};

    for (int row = 0; row < LoggerItems::kRowCount; ++row) {
        const LoggerItems::Row &item = LoggerItems::kRows[std::size_t(row)];
        for (int i = 0; i < LoggerItems::itemsOf(item); ++i) {
            items.at(index++) = {LoggerItems::nameOf(item, item.first + i), item.block,
                                 LoggerItems::firstPosition(row) + i, &item};
        }
    }
    return items;
}

const QHash<QString, int> &indexByName()
{
    static const QHash<QString, int> byName = [] {
        QHash<QString, int> names;
        for (int i = 0; i < SettingsItems::kCount; ++i)
            names.insert(SettingsItems::at(i).name, i);
        return names;
    }();
    return byName;
}

} // namespace

namespace SettingsItems {

const std::array<SettingsItem, kCount> &all()
{
    static const std::array<SettingsItem, kCount> items = buildCatalogue();
    return items;
}

const SettingsItem &at(int index)
{
    return all().at(static_cast<std::size_t>(index));
}

std::optional<int> indexOf(QStringView name)
{
    const auto found = indexByName().constFind(name.toString());
    if (found == indexByName().constEnd())
        return std::nullopt;
    return *found;
}

std::optional<int> indexOfScriptKey(QStringView key)
{
    if (!key.endsWith(u'='))
        return std::nullopt;
    return indexOf(key.chopped(1));
}

bool isSecret(int index)
{
    return at(index).row && at(index).row->secret;
}

} // namespace SettingsItems

} // namespace telvaro::settings
