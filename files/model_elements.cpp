#include "files/model_elements.h"

#include "state/settings_state.h"

using namespace telvaro::state;

namespace telvaro::files {

std::optional<int> optionFieldOfCode(const SettingsState &state, int row, const QString &code)
{
    std::optional<int> match;
    for (int field = 0; field <= kLastOptionField; ++field) {
        if (state.ModelItemCode.at(row, field) == code)
            match = field;
    }
    return match;
}

bool rowHasModelLine(const SettingsState &state, int row)
{
    return !state.ModelChLabel.at(row).isEmpty() || !state.ModelDefaultItem.at(row).isEmpty();
}

bool offersElement(const SettingsState &state, int row, const QString &code)
{
    if (code.isEmpty() || !rowHasModelLine(state, row))
        return false;
    return code == kDefaultElementCode || optionFieldOfCode(state, row, code).has_value();
}

QString elementNameOf(const SettingsState &state, int row, const QString &code)
{
    // An empty code would match every option field the model line leaves empty.
    if (code.isEmpty())
        return {};
    if (code == kDefaultElementCode)
        return state.ModelDefaultItem.at(row);
    const std::optional<int> field = optionFieldOfCode(state, row, code);
    return field ? state.ModelItemName.at(row, *field) : QString();
}

} // namespace telvaro::files
