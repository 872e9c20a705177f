#pragma once

#include <QStringView>

class ScreenModel;
struct SettingsState;

// The element code that selects a row's default element.
inline constexpr QStringView kDefaultElementCode = u"127";

// Shows the channel block of the device image on the sixteen channel rows: label, element
// list and chosen element, unit, format and alarm limits; records each row's element code.
// Each entry of an element list carries the option field its name came from, so a pick maps
// back to it even on a model line with a gap among its option fields.
void ShowChannels(SettingsState &state, ScreenModel &screen);
