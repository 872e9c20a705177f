#pragma once

#include "settings/device_settings.h"

#include <QString>

#include <functional>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::files {
class AppFolder;
} // namespace telvaro::files

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::screen_files {

// What became of the channel items (mode0..15, ALARM0..31) of a settings file opened on the
// screen. They mean something only on the rows of a model: the k-th row that takes limits has
// ALARM2k and ALARM2k+1.
struct SettingsOpened
{
    enum class ChannelItems {
        Applied,
        NoneGiven,          // the file gives none
        Declined,           // the file is for another model, and the operator kept the rows as they were
        NoModelKnown,       // neither the screen nor the file names a model
        UnknownModel,       // the file names a model no definition file belongs to (model)
        DefinitionMissing,  // the model's definition file is not in the program's folder (definitionFile)
        DefinitionUnusable, // the model's definition file cannot be read (definitionFile, reason)
    };

    ChannelItems channelItems = ChannelItems::NoneGiven;
    QString model;          // the file's model
    QString definitionFile; // DefinitionMissing, DefinitionUnusable: its path
    QString reason;         // DefinitionUnusable: why
};

// Asked when the file names another model than the screen's, before its channel items are
// applied: true applies them all the same. The other items are applied either way.
using OtherModelQuestion = std::function<bool(const QString &fileModel, const QString &screenModel)>;

// Shows the settings of a file on the screen as a read that received them would: each item the
// file gives replaces the screen's value, the others keep what the screen shows, and each block
// the file gives items of is shown again by its binding procedure. Before any read, a file whose
// model has a definition file brings that model with its channel items. The command buttons stay
// as they were: opening a file never enables a write to a logger that was not read.
SettingsOpened openOnScreen(const settings::DeviceSettings &file, state::SettingsState &state, model::ScreenModel &screen,
                            const files::AppFolder &appFolder, const OtherModelQuestion &applyOtherModelsChannelItems);

} // namespace telvaro::screen_files
