#pragma once

#include "files/app_folder.h"
#include "files/script_file.h"

#include <QByteArray>
#include <QString>

#include <array>

// What the mail and connection scripts are built from.
struct MailScriptInputs
{
    static constexpr int kAddresses = 6;
    static constexpr int kConnectionItems = 11;
    static constexpr int kApnItem = 10;

    std::array<QString, kAddresses> dataAddress;  // "データ送信先アドレス" 1..6
    std::array<QString, kAddresses> alarmAddress; // "警報送信先アドレス" 1..6
    std::array<QString, kConnectionItems> connection; // login, mail, DNS; kApnItem is the APN
    QString authCaption;                              // code of the authentication type, verbatim
};

// "mail.eep": data and alarm address lines, alternating, numbered 1 to 6.
QList<ScriptLine> mailScriptLines(const MailScriptInputs &inputs);
// "Mmail.eep": the eleven connection items, then the authentication type.
QList<ScriptLine> connectionScriptLines(const MailScriptInputs &inputs);

QByteArray mailScriptBytes(const MailScriptInputs &inputs);
QByteArray connectionScriptBytes(const MailScriptInputs &inputs);

// Writes "mail.eep", then "Mmail.eep". False as soon as one cannot be written.
bool BuildMailScript(const AppFolder &folder, const MailScriptInputs &inputs);
