#pragma once

#include "screen_files/screen_origins.h"
#include "settings/device_settings.h"

#include <QList>
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

    // An item the file gives that the screen does not take, and why.
    struct LeftOut
    {
        enum class Why {
            LackedWhereSaved, // the file gives "???": the logger it was saved from lacked the item
            LoggerLacksItem,  // the logger the screen shows answers "???" for it
            NoRowTakesLimit,  // an ALARM item of no row that takes limits on this model, with another
                              // value than the screen holds
        };
        int item = 0;
        Why why = Why::LoggerLacksItem;

        friend bool operator==(const LeftOut &, const LeftOut &) = default;
    };

    ChannelItems channelItems = ChannelItems::NoneGiven;
    QString model;          // the file's model
    QString definitionFile; // DefinitionMissing, DefinitionUnusable: its path
    QString reason;         // DefinitionUnusable: why
    QList<LeftOut> leftOut; // in file order
};

// Asked when the file names another model than the screen's, before its channel items are
// applied: true applies them all the same. The other items are applied either way.
using OtherModelQuestion = std::function<bool(const QString &fileModel, const QString &screenModel)>;

// Who gives the items: a settings file or a unit's row, by name.
struct GivenBy
{
    ScreenOrigins::Source source = ScreenOrigins::Source::File;
    QString name;
};

// Shows the settings of a file on the screen as a read that received them would, exactly as
// given: each item the file gives replaces the screen's value, the others keep what the screen
// shows, and each block the file gives items of is shown again by its binding procedure. Once
// the screen shows a read, an item the file gives as "???" or that the logger lacks keeps the
// value read, so that a write leaves it as the logger holds it. Before any read, a file whose
// model has a definition file brings that model with its channel items. The command buttons stay
// as they were: opening a file never enables a write to a logger that was not read. The origins
// note the items taken as given by `by`.
SettingsOpened openOnScreen(const settings::DeviceSettings &file, state::SettingsState &state, model::ScreenModel &screen,
                            ScreenOrigins &origins, const GivenBy &by, const files::AppFolder &appFolder,
                            const OtherModelQuestion &applyOtherModelsChannelItems);

} // namespace telvaro::screen_files
