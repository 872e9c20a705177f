#include "settings/shown_value.h"

#include "files/model_elements.h"
#include "settings/settings_items.h"

using namespace telvaro::base;

namespace telvaro::settings {

QString shownValue(int item, const QString &value, const state::SettingsState &state)
{
    const SettingsItem &shown = SettingsItems::at(item);
    if (!shown.row || shown.row->field != ItemField::ElementBox)
        return value;
    // The entries of mode0..mode15 follow each other in row order.
    const int row = shown.entry - LoggerItems::positionOf(shown.row->name, shown.row->first);
    const QString name = files::elementNameOf(state, row, value);
    return name.isEmpty() ? value : QStringLiteral("%1 (%2)").arg(name, value);
}

} // namespace telvaro::settings
