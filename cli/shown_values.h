#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::cli {

// How the commands show an item and its value to the operator.
class ShownValues
{
    Q_DECLARE_TR_FUNCTIONS(ShownValues)

public:
    // In quotes, so that an empty value and spaces at either end show, an element code with its
    // name by the model tables of the state (settings::shownValue); the mask when masked and not
    // empty; "(not given)" when there is no value.
    static QString value(int item, const std::optional<QString> &value, bool masked, const state::SettingsState &state);
    // "CAPOPID (POPID)", or the name alone when the item has no caption.
    static QString item(const QString &name, const QString &caption);
};

} // namespace telvaro::cli
