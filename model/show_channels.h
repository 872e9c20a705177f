#pragma once

#include "files/model_elements.h"

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

using files::kDefaultElementCode;

// Shows the channel block of the device image on the sixteen channel rows: label, element
// list and chosen element, unit, format and alarm limits; records each row's element code.
// Each entry of an element list carries the option field its name came from, so a pick maps
// back to it even on a model line with a gap among its option fields.
void ShowChannels(state::SettingsState &state, ScreenModel &screen);

} // namespace telvaro::model
