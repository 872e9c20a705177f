#include "cli/shown_values.h"

#include "base/secret_items.h"
#include "settings/shown_value.h"

using namespace telvaro::base;

namespace telvaro::cli {

QString ShownValues::value(int item, const std::optional<QString> &value, bool masked, const state::SettingsState &state)
{
    if (!value)
        return tr("(not given)");
    if (masked && !value->isEmpty())
        return QLatin1StringView(SecretItems::kMask);
    QString text = settings::shownValue(item, *value, state);
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

QString ShownValues::item(const QString &name, const QString &caption)
{
    return caption.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, caption);
}

} // namespace telvaro::cli
