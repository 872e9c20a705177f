#include "settings/settings_items.h"

#include "base/run_time_error.h"
#include "base/secret_items.h"

#include <QHash>

namespace {

std::array<SettingsItem, SettingsItems::kCount> buildCatalogue()
{
    std::array<SettingsItem, SettingsItems::kCount> items;
    int index = 0;
    const auto add = [&](const QString &name, ItemBlock block, int entry) { items.at(index++) = {name, block, entry}; };

    add(QStringLiteral("model"), ItemBlock::Header, 0);
    add(QStringLiteral("channels"), ItemBlock::Header, 0);

    int entry = 0;
    for (int row = 0; row < 16; ++row)
        add(QStringLiteral("mode%1").arg(row), ItemBlock::Channel, ++entry);
    for (int limit = 0; limit < 32; ++limit)
        add(QStringLiteral("ALARM%1").arg(limit), ItemBlock::Channel, ++entry);

    entry = 0;
    for (const QString &kind : {QStringLiteral("CAALARMADDRESS"), QStringLiteral("CADATAADDRESS")}) {
        for (int k = 1; k <= 6; ++k)
            add(kind + QString::number(k), ItemBlock::Mail, ++entry);
    }

    entry = 0;
    for (const char16_t *name : {u"CALOGINID", u"CALOGINPASS", u"CATELNO", u"CAPOPID", u"CAPOPPASS", u"CAPOPSERVER",
                                 u"CASMTPSERVER", u"CAFROMADDRESS", u"CADNS1", u"CADNS2", u"CAAPN", u"CAAUTHTYPE"})
        add(QString::fromUtf16(name), ItemBlock::Connection, ++entry);

    if (index != SettingsItems::kCount)
        throw RunTimeError(QStringLiteral("settings item catalogue has %1 items").arg(index));
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
    return SecretItems::isSecret(at(index).name);
}

} // namespace SettingsItems
