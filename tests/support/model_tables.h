#pragma once

#include "state/settings_state.h"
#include "support/telvaro_names.h"

// Fills option field `field` of model line `row`, as a model definition file would.
inline void setOptionField(SettingsState &state, int row, int field, const QString &code, const QString &name,
                           const QString &unit = {}, const QString &format = {})
{
    state.ModelItemCode.at(row, field) = code;
    state.ModelItemName.at(row, field) = name;
    state.ModelItemUnit.at(row, field) = unit;
    state.ModelItemFormat.at(row, field) = format;
}
