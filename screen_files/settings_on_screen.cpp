#include "screen_files/settings_on_screen.h"

#include "model/script_inputs.h"
#include "screen_files/screen_origins.h"
#include "settings/settings_image.h"

using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;

namespace telvaro::screen_files {

namespace {

QList<ScriptLine> linesOnScreen(const SettingsState &state, const ScreenModel &screen)
{
    return itemLines(alarmScriptInputsFrom(state, screen), mailScriptInputsFrom(screen));
}

} // namespace

DeviceSettings screenItems(const SettingsState &state, const ScreenModel &screen)
{
    return withLinesApplied(DeviceSettings(), linesOnScreen(state, screen), LineText::Shown);
}

DeviceSettings settingsOnScreen(const SettingsState &state, const ScreenModel &screen)
{
    return withLinesApplied(itemsOfImage(state), linesOnScreen(state, screen), LineText::Shown);
}

DeviceSettings settingsToSave(const SettingsState &state, const ScreenModel &screen, const ScreenOrigins &origins)
{
    const DeviceSettings onScreen = settingsOnScreen(state, screen);
    if (origins.logger())
        return onScreen;
    const DeviceSettings shown = screenItems(state, screen);
    DeviceSettings kept;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        const bool header = SettingsItems::at(item).block == base::ItemBlock::Header;
        const bool given = header ? origins.given(item).has_value()
                                  : origins.sourceOf(item, shown.value(item)) != ScreenOrigins::Source::Nothing;
        if (given && onScreen.contains(item))
            kept.set(item, *onScreen.value(item));
    }
    return kept;
}

QList<ItemDifference> differencesFromScreen(const DeviceSettings &file, const SettingsState &state,
                                            const ScreenModel &screen)
{
    const DeviceSettings shown = settingsOnScreen(state, screen);
    DeviceSettings shownOfFileItems;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (file.contains(item) && shown.contains(item))
            shownOfFileItems.set(item, *shown.value(item));
    }
    return differingItems(shownOfFileItems, file, state);
}

} // namespace telvaro::screen_files
