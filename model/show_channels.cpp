#include "model/show_channels.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

using namespace telvaro::base;
using namespace telvaro::state;

namespace telvaro::model {

namespace {

constexpr int kFirstElementLine = LoggerItems::positionOf("mode", 0);
constexpr int kFirstLimitLine = LoggerItems::positionOf("ALARM", 0);

// The default element first, even when empty, then every named option field in field order.
void fillElementList(const SettingsState &state, ElementBox &box, int row)
{
    box.addEntry(state.ModelDefaultItem.at(row), ElementBox::kDefaultElement);
    for (int field = 0; field <= files::kLastOptionField; ++field) {
        const QString &name = state.ModelItemName.at(row, field);
        if (!name.isEmpty())
            box.addEntry(name, field);
    }
}

void showElementLine(SettingsState &state, ChannelRow &row, int index)
{
    const QString &line = state.EepChannel.at(kFirstElementLine + index);
    // The logger has no such channel: the row keeps what it showed, only greyed out.
    if (line.contains(u'?')) {
        for (Field *control : row.fields())
            control->setEnabled(false);
        return;
    }

    for (Field *control : row.fields())
        control->unlock();
    if (!takesAlarmLimits(state, index)) {
        for (TextField *limit : {&row.Text1(), &row.Text2()}) {
            limit->lock();
            limit->setText(QString());
        }
    }

    ElementBox &box = row.Combo1();
    fillElementList(state, box, index);
    row.Label1().setCaption(state.ModelChLabel.at(index));

    const QString code = line.left(3);
    if (code == kDefaultElementCode) {
        row.Label2().setCaption(QString());
        row.Label3().setCaption(QString());
        row.Text1().setText(QString());
        row.Text2().setText(QString());
        box.select(box.indexOfSource(ElementBox::kDefaultElement));
        state.ChannelCode.at(index) = code;
        return;
    }

    const std::optional<int> field = files::optionFieldOfCode(state, index, code);
    if (!field) {
        // Unit, format and code stay as they were; only the element shows nothing.
        box.select(-1);
        return;
    }
    row.Label2().setCaption(state.ModelItemUnit.at(index, *field));
    row.Label3().setCaption(state.ModelItemFormat.at(index, *field));
    state.ChannelCode.at(index) = state.ModelItemCode.at(index, *field);
    // A field without a name has no entry: nothing is selected and the box shows empty.
    box.select(box.indexOfSource(*field));
}

// The limit lines are packed: two for each row that takes limits, in row order. A "???" at
// the row's own position skips the row and moves every later row one position down.
void showAlarmLimits(const SettingsState &state, ScreenModel &screen)
{
    int shown = 0;
    int withoutLimits = 0;
    for (int index = 0; index < ScreenModel::kChannelRows; ++index) {
        ChannelRow &row = screen.channelRow(index);
        const int position = kFirstLimitLine + index;
        if (state.EepChannel.at(position) == QStringLiteral("???"))
            continue;
        if (takesAlarmLimits(state, index)) {
            row.Text1().setText(state.EepChannel.at(position + shown - withoutLimits));
            row.Text2().setText(state.EepChannel.at(position + shown + 1 - withoutLimits));
            ++shown;
        } else {
            row.Text1().setText(QString());
            row.Text2().setText(QString());
            ++withoutLimits;
        }
    }
}

} // namespace

void ShowChannels(SettingsState &state, ScreenModel &screen)
{
    for (int index = 0; index < ScreenModel::kChannelRows; ++index)
        screen.channelRow(index).Combo1().clear();
    for (int index = 0; index < ScreenModel::kChannelRows; ++index)
        showElementLine(state, screen.channelRow(index), index);
    showAlarmLimits(state, screen);
}

} // namespace telvaro::model
