#include "model/channel_row_editing.h"

#include "model/screen_model.h"
#include "model/show_channels.h"
#include "state/settings_state.h"

using namespace telvaro::state;

namespace telvaro::model {

void pickChannelElement(SettingsState &state, ScreenModel &screen, int row, int entry)
{
    if (row < 0 || row >= ScreenModel::kChannelRows)
        return;
    ChannelRow &channel = screen.channelRow(row);
    ElementBox &box = channel.Combo1();
    if (entry < 0 || entry >= box.entries().size())
        return;
    box.select(entry);

    const int field = box.entries().at(entry).source;
    if (field == ElementBox::kDefaultElement) {
        channel.Label2().setCaption(QString());
        channel.Label3().setCaption(QString());
        state.ChannelCode.at(row) = kDefaultElementCode.toString();
        return;
    }

    channel.Label2().setCaption(state.ModelItemUnit.at(row, field));
    channel.Label3().setCaption(state.ModelItemFormat.at(row, field));
    // The shown text still naming the field proves the list matches the current model tables.
    state.ChannelCode.at(row) = box.editText() == state.ModelItemName.at(row, field)
                                    ? state.ModelItemCode.at(row, field)
                                    : kDefaultElementCode.toString();
}

} // namespace telvaro::model
