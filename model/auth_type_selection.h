#pragma once

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// The operator picks entry `entry` of the authentication selector: the selector shows it and
// AuthLabel takes the type's code as decimal text. An entry the list does not have is no pick
// and changes nothing.
void pickAuthType(const state::SettingsState &state, ScreenModel &screen, int entry);

} // namespace telvaro::model
