#pragma once

#include "base/logger_items.h"
#include "files/app_folder.h"
#include "files/script_file.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace telvaro::state {
struct DeviceImageBytes;
} // namespace telvaro::state

namespace telvaro::files {

// What the mail and connection scripts are built from.
struct MailScriptInputs
{
    static constexpr int kAddresses = base::LoggerItems::kMailAddresses;
    static constexpr int kConnectionItems = base::LoggerItems::kConnectionBoxes;
    static constexpr int kApnItem = base::LoggerItems::kApnBox;

    std::array<QString, kAddresses> dataAddress;  // "データ送信先アドレス" 1..6
    std::array<QString, kAddresses> alarmAddress; // "警報送信先アドレス" 1..6
    std::array<QString, kConnectionItems> connection; // the connection boxes Text3; kApnItem is the APN
    QString authCaption;                              // code of the authentication type, verbatim
};

// "mail.eep": data and alarm address lines, alternating, numbered 1 to 6.
QList<ScriptLine> mailScriptLines(const MailScriptInputs &inputs);
// "Mmail.eep": the connection items in the order of the item table, each from its box, the
// authentication type from its code.
QList<ScriptLine> connectionScriptLines(const MailScriptInputs &inputs);

QByteArray mailScriptBytes(const MailScriptInputs &inputs);
QByteArray connectionScriptBytes(const MailScriptInputs &inputs);

// Writes "mail.eep", then "Mmail.eep", a value the operator left alone in the bytes the image
// keeps for it (see withAnswerBytes). False as soon as one cannot be written.
bool BuildMailScript(const AppFolder &folder, const MailScriptInputs &inputs, const state::DeviceImageBytes &image);

} // namespace telvaro::files
