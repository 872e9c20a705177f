#pragma once

struct ScreenControls;
struct SettingsState;

// Connects the element boxes of the channel rows and the authentication selector to their
// handlers. They react to a pick from the list only: typing changes nothing, and typed text
// never becomes a list entry. The state and the controls must outlive the connections.
void connectEditingHandlers(SettingsState &state, const ScreenControls &controls);
