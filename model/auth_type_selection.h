#pragma once

class ScreenModel;
struct SettingsState;

// The operator picks entry `entry` of the authentication selector: the selector shows it and
// AuthLabel takes the type's code as decimal text. An entry the list does not have is no pick
// and changes nothing.
void pickAuthType(const SettingsState &state, ScreenModel &screen, int entry);
