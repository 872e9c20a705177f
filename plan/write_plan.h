#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"
#include "screen_files/screen_origins.h"
#include "settings/device_settings.h"
#include "settings/value_checks.h"

#include <QList>
#include <QString>

#include <optional>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::plan {

// One item of the logger as a write would leave it.
struct PlannedItem
{
    int item = 0;
    QString caption;
    std::optional<QString> held;  // what the logger holds, as last read; nothing without a read
    std::optional<QString> shown; // what the screen holds for it; nothing when no line sends it
    std::optional<QString> sent;  // what the write sends; nothing when no line sends it
    screen_files::ScreenOrigins::Source source = screen_files::ScreenOrigins::Source::Nothing;
    std::optional<QString> after; // what the logger holds afterwards, as far as the tool can know
};

// What a write will send and change, decided before anything is sent.
struct WritePlan
{
    // What the script files are built from: exactly what goes on the wire.
    files::AlarmScriptInputs alarm;
    files::MailScriptInputs mail;
    // Every item of the logger, in the order of a settings file.
    QList<PlannedItem> items;
    // What the operator is asked about before anything is sent: values that look wrong, values
    // given that the screen changed, and every change to the logger nobody asked for or that
    // empties what it holds. Items the logger lacks are never among them.
    QList<settings::ValueFinding> findings;
    // The logger as the write leaves it: what it said of itself, and every item's value after.
    settings::DeviceSettings after;

    const PlannedItem &item(int item) const;
};

// Plans the write of the inputs (the screen's, or a file's alone) for the model whose tables the
// state holds, onto the logger that the origins saw last; without a read, only the values are
// judged.
WritePlan planWrite(const state::SettingsState &state, const files::AlarmScriptInputs &alarm,
                    const files::MailScriptInputs &mail, const screen_files::ScreenOrigins &origins);

// The plan of writing a settings file's items alone (name), with no logger read, for the model
// whose tables the state holds: the findings that do not depend on the logger written to, which
// a write of the file to a logger of that model raises too. Items given as "???" give nothing.
WritePlan planFileWrite(const settings::DeviceSettings &file, const state::SettingsState &model, const QString &name);

// The plan of writing what the screen shows.
WritePlan planScreenWrite(const state::SettingsState &state, const model::ScreenModel &screen,
                          const screen_files::ScreenOrigins &origins);

} // namespace telvaro::plan
