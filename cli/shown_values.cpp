#include "cli/shown_values.h"

#include "base/secret_items.h"

using namespace telvaro::base;

namespace telvaro::cli {

QString ShownValues::value(const std::optional<QString> &value, bool masked)
{
    if (!value)
        return tr("(not given)");
    if (masked && !value->isEmpty())
        return QLatin1StringView(SecretItems::kMask);
    QString text = *value;
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

QString ShownValues::item(const QString &name, const QString &caption)
{
    return caption.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, caption);
}

} // namespace telvaro::cli
