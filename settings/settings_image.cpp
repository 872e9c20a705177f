#include "settings/settings_image.h"

#include "state/settings_state.h"

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::files;

namespace telvaro::settings {

namespace {

const QString kLackedItem = QStringLiteral("???");

template<typename State>
auto &imageEntry(State &state, const SettingsItem &item)
{
    switch (item.block) {
    case ItemBlock::Channel:
        return state.EepChannel.at(item.entry);
    case ItemBlock::Mail:
        return state.EepMail.at(item.entry);
    case ItemBlock::Connection:
        return state.EepConnect.at(item.entry);
    case ItemBlock::Header:
        break;
    }
    throw RunTimeError(QStringLiteral("%1 has no entry in the device image").arg(item.name));
}

bool isLoggerItem(int item)
{
    return SettingsItems::at(item).block != ItemBlock::Header;
}

bool isModeItem(const SettingsItem &item)
{
    return item.row && item.row->field == ItemField::ElementBox;
}

// The value of a named item as a write input: empty when missing or lacked.
QString inputOf(const DeviceSettings &settings, const LoggerItems::Row &row, int number = 0)
{
    const int item = *SettingsItems::indexOf(LoggerItems::nameOf(row, number));
    const std::optional<QString> &value = settings.value(item);
    if (!value || saysLoggerLacksItem(item, *value))
        return {};
    return *value;
}

} // namespace

bool saysLoggerLacksItem(int item, const QString &answer)
{
    return isModeItem(SettingsItems::at(item)) ? answer.contains(u'?') : answer == kLackedItem;
}

DeviceSettings itemsOfImage(const SettingsState &state)
{
    DeviceSettings items;
    if (state.ModelCode)
        items.set(SettingsItems::kModel, *state.ModelCode);
    if (state.ChannelsAnswer)
        items.set(SettingsItems::kChannels, *state.ChannelsAnswer);
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (isLoggerItem(item))
            items.set(item, imageEntry(state, SettingsItems::at(item)));
    }
    return items;
}

void storeInImage(const DeviceSettings &settings, SettingsState &state)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (isLoggerItem(item) && settings.contains(item))
            imageEntry(state, SettingsItems::at(item)) = *settings.value(item);
    }
}

DeviceSettings answersAfterWrite(const SettingsState &state, const AlarmScriptInputs &alarm,
                                 const MailScriptInputs &mail)
{
    return withLinesApplied(itemsOfImage(state), itemLines(alarm, mail), LineText::Sent);
}

QList<ScriptLine> itemLines(const AlarmScriptInputs &alarm, const MailScriptInputs &mail)
{
    return armScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail);
}

DeviceSettings withLinesApplied(DeviceSettings image, const QList<ScriptLine> &lines, LineText text)
{
    for (const ScriptLine &line : lines) {
        const int item = *SettingsItems::indexOfScriptKey(line.key);
        const std::optional<QString> &held = image.value(item);
        if (!held || !saysLoggerLacksItem(item, *held))
            image.set(item, text == LineText::Sent ? line.value : line.shown);
    }
    return image;
}

AlarmScriptInputs alarmScriptInputsOf(const DeviceSettings &settings, const SettingsState &state)
{
    constexpr const LoggerItems::Row &mode = LoggerItems::row("mode");
    constexpr const LoggerItems::Row &limits = LoggerItems::row("ALARM");
    AlarmScriptInputs inputs;
    int limit = 0;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        inputs.channelCode.at(row) = inputOf(settings, mode, row);
        inputs.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        inputs.rowLabel.at(row) = state.ModelChLabel.at(row);
        if (takesAlarmLimits(state, row)) {
            inputs.lowerLimit.at(row) = inputOf(settings, limits, limit);
            inputs.upperLimit.at(row) = inputOf(settings, limits, limit + 1);
            limit += 2;
        }
    }
    return inputs;
}

MailScriptInputs mailScriptInputsOf(const DeviceSettings &settings)
{
    MailScriptInputs inputs;
    for (const LoggerItems::Row &row : LoggerItems::kRows) {
        switch (row.field) {
        case ItemField::AlarmAddressBox:
        case ItemField::DataAddressBox:
            for (int k = 0; k < row.count; ++k) {
                auto &addresses = row.field == ItemField::DataAddressBox ? inputs.dataAddress : inputs.alarmAddress;
                addresses.at(std::size_t(k)) = inputOf(settings, row, row.first + k);
            }
            break;
        case ItemField::ConnectionBox:
            inputs.connection.at(std::size_t(LoggerItems::boxOf(row))) = inputOf(settings, row);
            break;
        case ItemField::AuthLabel:
            inputs.authCaption = inputOf(settings, row);
            break;
        case ItemField::ElementBox:
        case ItemField::LimitBoxes:
            break;
        }
    }
    return inputs;
}

} // namespace telvaro::settings
