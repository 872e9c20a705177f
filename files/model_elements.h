#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::files {

// Which element of a channel row an element code selects, by the model tables.

// The element code that selects a row's default element (ModelDefaultItem).
inline constexpr QStringView kDefaultElementCode = u"127";

// The last option field of a model line; the model tables hold fields 0..10, of which a model
// definition file fills 3..10.
inline constexpr int kLastOptionField = 10;

// The option field of the row's model line that holds the code; the last one when several do,
// nothing when none does.
std::optional<int> optionFieldOfCode(const state::SettingsState &state, int row, const QString &code);

// Whether a model line describes the row, so that its element list is known.
bool rowHasModelLine(const state::SettingsState &state, int row);

// Whether the row's element list takes the code: the default element's, or that of an option
// field of the row's model line (the row then shows it and a write sends it).
bool offersElement(const state::SettingsState &state, int row, const QString &code);

// The name the row's element list shows for the element the code selects: the default element's
// for kDefaultElementCode, else its option field's. Empty when the row offers no such element,
// or offers it without a name.
QString elementNameOf(const state::SettingsState &state, int row, const QString &code);

} // namespace telvaro::files
