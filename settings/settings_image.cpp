#include "settings/settings_image.h"

#include "state/settings_state.h"

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
    return item.block == ItemBlock::Channel && item.name.startsWith(u"mode");
}

// The value of a named item as a write input: empty when missing or lacked.
QString inputOf(const DeviceSettings &settings, const QString &name)
{
    const int item = *SettingsItems::indexOf(name);
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
    DeviceSettings answers = itemsOfImage(state);
    // "ArmNet.eep" sets the limits of "Arm.eep" once more, so it adds no item.
    for (const ScriptLine &line : armScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail)) {
        const int item = *SettingsItems::indexOfScriptKey(line.key);
        if (!saysLoggerLacksItem(item, *answers.value(item)))
            answers.set(item, line.value);
    }
    return answers;
}

AlarmScriptInputs alarmScriptInputsOf(const DeviceSettings &settings, const SettingsState &state)
{
    AlarmScriptInputs inputs;
    int limit = 0;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        inputs.channelCode.at(row) = inputOf(settings, QStringLiteral("mode%1").arg(row));
        inputs.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        if (takesAlarmLimits(state, row)) {
            inputs.lowerLimit.at(row) = inputOf(settings, QStringLiteral("ALARM%1").arg(limit));
            inputs.upperLimit.at(row) = inputOf(settings, QStringLiteral("ALARM%1").arg(limit + 1));
            limit += 2;
        }
    }
    return inputs;
}

MailScriptInputs mailScriptInputsOf(const DeviceSettings &settings)
{
    MailScriptInputs inputs;
    for (int k = 0; k < MailScriptInputs::kAddresses; ++k) {
        inputs.dataAddress.at(k) = inputOf(settings, QStringLiteral("CADATAADDRESS%1").arg(k + 1));
        inputs.alarmAddress.at(k) = inputOf(settings, QStringLiteral("CAALARMADDRESS%1").arg(k + 1));
    }
    // Line i of "Mmail.eep" is built from connection input i, its last line from the
    // authentication code.
    const QList<ScriptLine> lines = connectionScriptLines(MailScriptInputs{});
    for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i)
        inputs.connection.at(i) = inputOf(settings, lines.at(i).key.chopped(1));
    inputs.authCaption = inputOf(settings, lines.last().key.chopped(1));
    return inputs;
}
