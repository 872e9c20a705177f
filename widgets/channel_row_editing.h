#pragma once

struct ScreenControls;
struct SettingsState;

// The operator picked an entry from the element list of channel row `row`: the row shows the
// element's unit and format, and ChannelCode(row) takes its code. The default element (entry
// 0) shows no unit or format and takes code "127". Rows outside 0..15 are ignored.
void onChannelElementPicked(SettingsState &state, const ScreenControls &controls, int row);
