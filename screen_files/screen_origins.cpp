#include "screen_files/screen_origins.h"

#include <QDir>

using namespace telvaro::settings;

namespace telvaro::screen_files {

namespace {

// "2026-12-09T16:05:31+09:00": the bench's clock, and where it stands.
QString localTimeWithOffset(const QDateTime &when)
{
    const QDateTime local = when.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

ScreenOrigins::ScreenOrigins(const DeviceSettings &shown)
    : m_noted(shown)
{
    m_sources.fill(Source::Nothing);
}

void ScreenOrigins::noteRead(const DeviceSettings &logger, const DeviceSettings &shown, const QDateTime &when)
{
    noteWritten(logger, shown);
    m_readAt = when;
}

void ScreenOrigins::noteWritten(const DeviceSettings &logger, const DeviceSettings &shown)
{
    m_logger = logger;
    m_noted = shown;
    m_given = {};
    m_sources.fill(Source::Read);
    m_givenBy.clear();
}

void ScreenOrigins::noteGiven(const DeviceSettings &given, Source source, const QString &name,
                              const DeviceSettings &shownBefore, const DeviceSettings &shownAfter)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (given.contains(item)) {
            m_sources.at(std::size_t(item)) = source;
            m_given.set(item, *given.value(item));
            m_noted.set(item, shownAfter.value(item).value_or(QString()));
        } else if (shownBefore.value(item) != shownAfter.value(item) && sourceOf(item, shownBefore.value(item)) != Source::Edit) {
            // Shown anew by the block's binding, not asked for: it keeps where it came from.
            m_noted.set(item, shownAfter.value(item).value_or(QString()));
        }
    }
    m_givenBy.append(name);
}

ScreenOrigins::Source ScreenOrigins::sourceOf(int item, const std::optional<QString> &shownNow) const
{
    if (shownNow.value_or(QString()) != m_noted.value(item).value_or(QString()))
        return Source::Edit;
    return m_sources.at(std::size_t(item));
}

QString ScreenOrigins::description() const
{
    QStringList parts;
    if (m_readAt) {
        const QString model = m_logger->value(SettingsItems::kModel).value_or(QString());
        parts.append(QStringLiteral("機種 %1 のロガーから %2 に読み込んだ設定")
                         .arg(model, localTimeWithOffset(*m_readAt)));
    }
    if (!m_givenBy.isEmpty()) {
        QStringList names;
        for (const QString &name : m_givenBy)
            names.append(QDir::toNativeSeparators(name));
        parts.append(QStringLiteral("設定ファイル %1 を開いた設定").arg(names.join(QStringLiteral(", "))));
    }
    if (parts.isEmpty())
        return QStringLiteral("画面に入力した設定 (ロガーからは読み込んでいません)");
    if (!m_readAt)
        parts.append(QStringLiteral("ロガーからは読み込んでいません"));
    return parts.join(QStringLiteral("、"));
}

} // namespace telvaro::screen_files
