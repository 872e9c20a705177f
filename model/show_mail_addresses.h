#pragma once

class ScreenModel;
struct SettingsState;

// Shows the mail block of the device image on the six alarm and six data address fields and
// unlocks them. An answer without "@" is no address and shows an empty field.
void ShowMailAddresses(const SettingsState &state, ScreenModel &screen);
