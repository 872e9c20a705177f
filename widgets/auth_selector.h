#pragma once

struct ScreenControls;
struct SettingsState;

// The operator picked an authentication type: AuthLabel takes its code as decimal text.
void onAuthTypePicked(const SettingsState &state, const ScreenControls &controls);
