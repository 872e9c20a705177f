#include "cli/json_output.h"

#include "base/secret_items.h"
#include "settings/settings_compare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace telvaro::base;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QByteArray bytesOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

QJsonValue JsonOutput::value(int item, const std::optional<QString> &value, bool showSecrets)
{
    if (!value)
        return QJsonValue::Null;
    if (SettingsItems::isSecret(item) && !showSecrets && !value->isEmpty())
        return QLatin1StringView(SecretItems::kMask);
    return *value;
}

QByteArray JsonOutput::read(const QString &port, const DeviceSettings &settings, bool showSecrets)
{
    QJsonObject items;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (settings.contains(item))
            items.insert(SettingsItems::at(item).name, value(item, settings.value(item), showSecrets));
    }
    return bytesOf({{QStringLiteral("port"), port},
                    {QStringLiteral("model"), value(SettingsItems::kModel, settings.value(SettingsItems::kModel), true)},
                    {QStringLiteral("items"), items}});
}

QByteArray JsonOutput::check(const QString &file, const QList<Problem> &problems)
{
    QJsonArray list;
    for (const Problem &problem : problems) {
        list.append(QJsonObject{{QStringLiteral("line"), problem.line ? QJsonValue(*problem.line) : QJsonValue(QJsonValue::Null)},
                                {QStringLiteral("item"), textOrNull(problem.item)},
                                {QStringLiteral("message"), problem.message}});
    }
    return bytesOf({{QStringLiteral("file"), file}, {QStringLiteral("problems"), list}, {QStringLiteral("ok"), problems.isEmpty()}});
}

QByteArray JsonOutput::diff(const QString &left, const QString &right, const std::optional<QList<ItemDifference>> &differences,
                            const QString &error, bool showSecrets)
{
    QJsonObject object{{QStringLiteral("left"), left}, {QStringLiteral("right"), right}};
    if (!differences) {
        object.insert(QStringLiteral("differences"), QJsonValue::Null);
        object.insert(QStringLiteral("error"), error);
        return bytesOf(object);
    }
    QJsonArray list;
    for (const ItemDifference &difference : *differences) {
        list.append(QJsonObject{{QStringLiteral("item"), difference.name},
                                {QStringLiteral("caption"), textOrNull(difference.caption)},
                                {QStringLiteral("left"), value(difference.item, difference.left, showSecrets)},
                                {QStringLiteral("right"), value(difference.item, difference.right, showSecrets)}});
    }
    object.insert(QStringLiteral("differences"), list);
    return bytesOf(object);
}

} // namespace telvaro::cli
