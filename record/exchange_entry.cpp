#include "record/exchange_entry.h"
#include "settings/settings_items.h"

#include <QCoreApplication>
#include <QSysInfo>

#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <unistd.h>
#endif

namespace telvaro::record {

using settings::DeviceSettings;

namespace {

// The account the program runs as: its name in the password database where there is one (a
// service or a container may leave USER unset), else what the environment says.
QString systemUser()
{
#if defined(Q_OS_UNIX)
    if (const passwd *account = getpwuid(geteuid()); account && account->pw_name)
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
}

} // namespace

QString ExchangeEntry::identityOf(const DeviceSettings &settings)
{
    for (const QStringView item : {u"CAFROMADDRESS", u"CAPOPID"}) {
        const QString value = settings.value(item).value_or(QString()).trimmed();
        if (!value.isEmpty() && value != u"???")
            return value;
    }
    return QString();
}

QString ExchangeEntry::kindName(Kind kind)
{
    return kind == Kind::Write ? QStringLiteral("write") : QStringLiteral("read");
}

std::optional<ExchangeEntry::Kind> ExchangeEntry::kindNamed(const QString &name)
{
    for (const Kind kind : {Kind::Read, Kind::Write}) {
        if (kindName(kind) == name)
            return kind;
    }
    return std::nullopt;
}

ExchangeEntry ExchangeEntry::begun(Kind kind)
{
    ExchangeEntry entry;
    entry.id = QUuid::createUuid();
    entry.when = QDateTime::currentDateTimeUtc();
    entry.user = systemUser();
    entry.machine = QSysInfo::machineHostName();
    entry.program = QCoreApplication::applicationName();
    entry.version = QCoreApplication::applicationVersion();
    entry.kind = kind;
    return entry;
}

void ExchangeEntry::describeLogger(const settings::DeviceSettings &settings)
{
    model = settings.value(settings::SettingsItems::kModel).value_or(QString());
    channels = settings.value(settings::SettingsItems::kChannels).value_or(QString()).toInt();
    identity = identityOf(settings);
}

QString identityWithLabel(const QString &identity, const QString &label)
{
    return label.isEmpty() ? identity : QStringLiteral("%1 (%2)").arg(identity, label);
}

} // namespace telvaro::record
