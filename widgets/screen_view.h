#pragma once

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::widgets {

struct ScreenControls;

// Makes the window's controls a view of the screen model: they show it now and whenever it
// changes, and the operator's edits go back into it as they happen. A pick from the element
// list of a channel row or from the authentication selector runs its handler; typing does not.
// The model and the state must outlive the controls.
void showScreenOn(const ScreenControls &controls, model::ScreenModel &screen, state::SettingsState &state);

} // namespace telvaro::widgets
