#pragma once

#include <QStringView>
#include <Qt>

struct ScreenControls;
struct SettingsState;

// The element code that selects a row's default element.
inline constexpr QStringView kDefaultElementCode = u"127";

// Each entry of a row's element list carries, under this role, the option field its name
// came from; the default element carries kDefaultElementEntry. A pick maps back through it,
// so a model line with a gap among its option fields still picks the element it shows.
inline constexpr int kElementFieldRole = Qt::UserRole;
inline constexpr int kDefaultElementEntry = -1;

// Shows the channel block of the device image on the sixteen channel rows: label, element
// list and chosen element, unit, format and alarm limits; records each row's element code.
void ShowChannels(SettingsState &state, const ScreenControls &controls);
