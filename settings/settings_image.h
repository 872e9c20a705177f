#pragma once

#include "files/alarm_scripts.h"
#include "settings/device_settings.h"
#include "files/mail_scripts.h"

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {

// Between the items of a settings file and the device image of the settings state, where a read
// keeps the logger's answers: each logger item is the entry of its block's table (EepChannel,
// EepMail, EepConnect) at its position in the item table. model and channels are ModelCode and
// ChannelsAnswer: what the logger says of itself, which no write changes.

// The logger's answer for an item it does not have: a "?" anywhere in an element line (how the
// channel rows tell a missing channel), "???" for every other item.
bool saysLoggerLacksItem(int item, const QString &answer);

// Every logger item as the image holds it, with model and channels once the state has them.
DeviceSettings itemsOfImage(const state::SettingsState &state);

// Stores each logger item the settings give where a read stores its answer; the other entries
// keep what they hold, and so do model and channels. The binding procedures then show them as
// after a read.
void storeInImage(const DeviceSettings &settings, state::SettingsState &state);

// The answers a read would receive right after writing these inputs to the logger the image
// describes: each item a write sends, as it sends it (narrowed text, the element code, the
// limits packed onto the rows that take them, the authentication code), and the image's answer
// for every item the write leaves alone or the logger lacks ("???", or a "?" in a mode answer).
DeviceSettings answersAfterWrite(const state::SettingsState &state, const files::AlarmScriptInputs &alarm,
                                 const files::MailScriptInputs &mail);

// The lines a write sends: those of "Arm.eep", "mail.eep" and "Mmail.eep" ("ArmNet.eep" sets
// the limits of "Arm.eep" once more, so it adds no item).
QList<files::ScriptLine> itemLines(const files::AlarmScriptInputs &alarm, const files::MailScriptInputs &mail);

// Which text of a script line stands for its item: as sent, or as the screen shows it.
enum class LineText { Sent, Shown };

// The image with each item a line sets replaced by that line's text, but for the items the
// image answers as ones the logger lacks: a logger keeps those as they are.
DeviceSettings withLinesApplied(DeviceSettings image, const QList<files::ScriptLine> &lines, LineText text);

// What a write of the items would be built from, for a model whose alarm flags the state holds:
// the k-th row that takes limits gets ALARM2k and ALARM2k+1. An item missing from the settings,
// or answered as one the logger lacks, gives an empty input.
files::AlarmScriptInputs alarmScriptInputsOf(const DeviceSettings &settings, const state::SettingsState &state);
files::MailScriptInputs mailScriptInputsOf(const DeviceSettings &settings);

} // namespace telvaro::settings
