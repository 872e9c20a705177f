#include "cli/shown_values.h"

const QString ShownValues::kMask = QStringLiteral("********");

QString ShownValues::value(const std::optional<QString> &value, bool masked)
{
    if (!value)
        return tr("(not given)");
    if (masked && !value->isEmpty())
        return kMask;
    QString text = *value;
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

QString ShownValues::item(const QString &name, const QString &caption)
{
    return caption.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, caption);
}
