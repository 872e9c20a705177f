#pragma once

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// The operator picks entry `entry` from the element list of channel row `row`: the box shows
// it, the row shows the element's unit and format, and ChannelCode(row) takes its code. The
// default element shows no unit or format and takes code "127". A row outside 0..15 or an
// entry the list does not have is no pick and changes nothing.
void pickChannelElement(state::SettingsState &state, ScreenModel &screen, int row, int entry);

} // namespace telvaro::model
