#include "widgets/channel_row_editing.h"

#include "state/settings_state.h"
#include "widgets/screen_controls.h"
#include "widgets/show_channels.h"

#include <QComboBox>
#include <QLabel>

void onChannelElementPicked(SettingsState &state, const ScreenControls &controls, int row)
{
    if (row < 0 || row >= ScreenControls::kChannelRows)
        return;

    QComboBox *box = controls.Combo1.at(row);
    bool fromList = false;
    const int field = box->currentData(kElementFieldRole).toInt(&fromList);
    if (!fromList)
        return; // no entry of the list the channel binding built is selected

    QLabel *unit = controls.Label2.at(row);
    QLabel *format = controls.Label3.at(row);
    if (field == kDefaultElementEntry) {
        unit->clear();
        format->clear();
        state.ChannelCode.at(row) = kDefaultElementCode.toString();
        return;
    }

    unit->setText(state.ModelItemUnit.at(row, field));
    format->setText(state.ModelItemFormat.at(row, field));
    // The shown text still naming the field proves the list matches the current model tables.
    state.ChannelCode.at(row) = box->currentText() == state.ModelItemName.at(row, field)
                                    ? state.ModelItemCode.at(row, field)
                                    : kDefaultElementCode.toString();
}
