#pragma once

class ScreenModel;
struct ScreenControls;
struct SettingsState;

// Makes the window's controls a view of the screen model: they show it now and whenever it
// changes, and the operator's edits go back into it as they happen. A pick from the element
// list of a channel row or from the authentication selector runs its handler; typing does not.
// The model and the state must outlive the controls.
void showScreenOn(const ScreenControls &controls, ScreenModel &screen, SettingsState &state);
