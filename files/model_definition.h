#pragma once

#include <QByteArray>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::files {

// Fills the model tables from the bytes of a model definition file: code page 932, one line
// per channel row, fields split at "," and option fields 3..10 split at ";". Nothing is
// cleared: entries the file does not reach keep their earlier values. A malformed file throws
// RunTimeError, with the tables filled up to the entry that failed.
void applyModelDefinition(state::SettingsState &state, const QByteArray &fileBytes);

// Loads the file at state.ModelIniPath. No file there, or an empty path, changes nothing.
// A file that cannot be read throws RunTimeError.
void LoadModelDefinition(state::SettingsState &state);

} // namespace telvaro::files
