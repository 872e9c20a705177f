#include "screen_files/settings_opening.h"

#include "base/run_time_error.h"
#include "files/app_folder.h"
#include "files/model_definition.h"
#include "files/model_table.h"
#include "model/screen_model.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "model/show_mail_addresses.h"
#include "screen_files/settings_on_screen.h"
#include "settings/item_captions.h"
#include "settings/settings_image.h"
#include "state/settings_state.h"

#include <QFileInfo>

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;

namespace telvaro::screen_files {

namespace {

using ChannelItems = SettingsOpened::ChannelItems;
using LeftOut = SettingsOpened::LeftOut;

bool givesItemsOf(const DeviceSettings &file, ItemBlock block)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (file.contains(item) && SettingsItems::at(item).block == block)
            return true;
    }
    return false;
}

// The screen has no model yet: the file's, when its definition file can be loaded.
ChannelItems takeModelOf(const DeviceSettings &file, SettingsState &state, const AppFolder &appFolder,
                         SettingsOpened &opened)
{
    const std::optional<QString> definition = modelDefinitionFileFor(opened.model);
    if (!definition)
        return ChannelItems::UnknownModel;
    opened.definitionFile = appFolder.file(*definition);
    if (!QFileInfo(opened.definitionFile).isFile())
        return ChannelItems::DefinitionMissing;
    // Tried on a copy first: a file that fails half-way must not leave the tables half filled.
    SettingsState tried = state;
    tried.ModelIniPath = opened.definitionFile;
    try {
        LoadModelDefinition(tried);
    } catch (const RunTimeError &error) {
        opened.reason = QString::fromUtf8(error.what());
        return ChannelItems::DefinitionUnusable;
    }
    state = tried;
    state.ModelCode = opened.model;
    state.ChannelsAnswer = file.value(SettingsItems::kChannels);
    return ChannelItems::Applied;
}

ChannelItems channelItemsFate(const DeviceSettings &file, SettingsState &state, const AppFolder &appFolder,
                              const OtherModelQuestion &applyOtherModelsChannelItems, SettingsOpened &opened)
{
    if (!givesItemsOf(file, ItemBlock::Channel))
        return ChannelItems::NoneGiven;
    const std::optional<QString> &fileModel = file.value(SettingsItems::kModel);
    opened.model = fileModel.value_or(QString());
    if (!state.ModelCode)
        return fileModel ? takeModelOf(file, state, appFolder, opened) : ChannelItems::NoModelKnown;
    if (fileModel && *fileModel != *state.ModelCode)
        return applyOtherModelsChannelItems(*fileModel, *state.ModelCode) ? ChannelItems::Applied : ChannelItems::Declined;
    return ChannelItems::Applied;
}

} // namespace

SettingsOpened openOnScreen(const DeviceSettings &file, SettingsState &state, ScreenModel &screen, ScreenOrigins &origins,
                            const GivenBy &by, const AppFolder &appFolder, const OtherModelQuestion &applyOtherModelsChannelItems)
{
    SettingsOpened opened;
    // What the screen shows now, before a model taken from the file changes the rows' meaning.
    const DeviceSettings before = screenItems(state, screen);
    DeviceSettings shown = settingsOnScreen(state, screen);
    const bool hadModel = state.ModelCode.has_value();
    opened.channelItems = channelItemsFate(file, state, appFolder, applyOtherModelsChannelItems, opened);
    const bool applyChannelItems = opened.channelItems == ChannelItems::Applied;
    const bool showsARead = origins.logger().has_value();
    const auto captions = itemCaptions(state);

    DeviceSettings applied;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        const ItemBlock block = SettingsItems::at(item).block;
        if (!file.contains(item) || block == ItemBlock::Header || (block == ItemBlock::Channel && !applyChannelItems))
            continue;
        const QString &value = *file.value(item);
        if (showsARead && saysLoggerLacksItem(item, value)) {
            opened.leftOut.append({item, LeftOut::Why::LackedWhereSaved});
        } else if (showsARead && saysLoggerLacksItem(item, *shown.value(item))) {
            opened.leftOut.append({item, LeftOut::Why::LoggerLacksItem});
        } else if (captions.at(item).isEmpty()) {
            if (value != shown.value(item))
                opened.leftOut.append({item, LeftOut::Why::NoRowTakesLimit});
            if (!showsARead)
                shown.set(item, value); // never sent; kept only for a save before any read
        } else {
            shown.set(item, value);
            applied.set(item, value);
        }
    }
    storeInImage(shown, state);

    CommandControls &commands = screen.commands();
    std::array<bool, CommandControls::kCommands> commandsEnabled{};
    for (int i = 0; i < CommandControls::kCommands; ++i)
        commandsEnabled.at(i) = commands.Command1(i).isEnabled();
    if (applyChannelItems)
        ShowChannels(state, screen);
    if (givesItemsOf(applied, ItemBlock::Mail))
        ShowMailAddresses(state, screen);
    if (givesItemsOf(applied, ItemBlock::Connection))
        ShowConnection(state, screen); // which sets the buttons as a read leaves them
    for (int i = 0; i < CommandControls::kCommands; ++i)
        commands.Command1(i).setEnabled(commandsEnabled.at(i));

    if (!hadModel && state.ModelCode) {
        applied.set(SettingsItems::kModel, *state.ModelCode);
        if (state.ChannelsAnswer)
            applied.set(SettingsItems::kChannels, *state.ChannelsAnswer);
    }
    origins.noteGiven(applied, by.source, by.name, before, screenItems(state, screen));
    return opened;
}

} // namespace telvaro::screen_files
