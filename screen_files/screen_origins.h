#pragma once

#include "settings/device_settings.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace telvaro::screen_files {

// Where the value of each item on the screen came from, so that a write can tell what the
// operator asked to change from what merely stands on the screen. A value the screen shows
// other than as it was noted has been typed or picked by the operator.
class ScreenOrigins
{
public:
    enum class Source {
        Nothing,  // the screen as it starts: no read, no file
        Read,     // what the logger holds: the last read, or what the last write set
        File,     // a settings file opened on the screen
        UnitsRow, // a unit's row of a units file
        Edit,     // typed or picked on the screen
    };

    // The screen as it starts shows these items.
    explicit ScreenOrigins(const settings::DeviceSettings &shown = {});

    // A read has shown what the logger holds (its answers, model and channels included).
    void noteRead(const settings::DeviceSettings &logger, const settings::DeviceSettings &shown, const QDateTime &when);
    // A write has been acknowledged: the logger holds what it was meant to.
    void noteWritten(const settings::DeviceSettings &logger, const settings::DeviceSettings &shown);
    // Items given by a file or a units row (name) were put on the screen. shownBefore and
    // shownAfter are the screen's items around it: an item the screen's rules changed without
    // being given keeps its source.
    void noteGiven(const settings::DeviceSettings &given, Source source, const QString &name,
                   const settings::DeviceSettings &shownBefore, const settings::DeviceSettings &shownAfter);

    // What the logger held at the last read, as the last write left it; nothing before a read.
    const std::optional<settings::DeviceSettings> &logger() const { return m_logger; }
    // The source of the value the screen now shows for the item.
    Source sourceOf(int item, const std::optional<QString> &shownNow) const;
    // The value the file or units row gave for an item whose source they are.
    const std::optional<QString> &given(int item) const { return m_given.value(item); }

    // Where the screen's values came from, in a line: the read (model, time) and the files opened.
    QString description() const;

private:
    std::optional<settings::DeviceSettings> m_logger;
    settings::DeviceSettings m_noted; // each item as the screen showed it when its source was noted
    settings::DeviceSettings m_given;
    std::array<Source, settings::SettingsItems::kCount> m_sources{};
    std::optional<QDateTime> m_readAt;
    QStringList m_givenBy; // files and rows since the last read, in order
};

} // namespace telvaro::screen_files
