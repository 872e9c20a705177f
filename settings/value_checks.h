#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

#include <QList>
#include <QString>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {

// What the operator is asked about before a write: a value that is plainly wrong for the
// logger, or a change to the logger that nobody asked for.
struct ValueFinding
{
    enum class Problem {
        NotADecimalNumber, // a limit
        LowerAboveUpper,   // a lower limit above the upper limit of its row
        NotOneAtSign,      // a mail address
        NotAnIpv4Address,  // a DNS server
        ElementNotOffered, // an element code the row's list does not take
        NotAsGiven,        // a file or units row gave another value than the write sends (givenValue)
        ChangedUnasked,    // nobody asked, yet the write changes what the logger holds (heldValue)
        Emptied,           // the write empties what the logger holds (heldValue)
    };

    Problem problem = Problem::NotADecimalNumber;
    QString item;    // the logger's name of the item, "ALARM4"
    QString caption; // the field as the pre-flight check names it, "警報下限値 2"
    QString value;   // as the write would send it, or as given where the given value is wrong
    QString upperValue; // LowerAboveUpper: the upper limit of the row
    QString heldValue;  // ChangedUnasked, Emptied: what the logger holds
    QString givenValue; // NotAsGiven: what the file or units row gave

    friend bool operator==(const ValueFinding &, const ValueFinding &) = default;
};

// True for the findings about values; false for those about changes to the logger.
bool isWrongValue(const ValueFinding &finding);

// "警報下限値 2 (ALARM4): "1O" is not a decimal number", translated. The passwords show as the
// mask unless asked for.
QString describe(const ValueFinding &finding, bool showSecrets = false);

// Checks the values a write would send, in sending order: a non-empty limit that is not a decimal
// number, a lower limit above its upper limit, a non-empty mail address (the alarm, data and
// sender addresses) without exactly one "@", a non-empty DNS server that is not a dotted IPv4
// address. Only rows that take limits are checked: the others send none.
QList<ValueFinding> valueFindings(const files::AlarmScriptInputs &alarm, const files::MailScriptInputs &mail);
// The same for the lines of "Arm.eep", "mail.eep" and "Mmail.eep", in that order; with a model,
// also every element code that its row's list does not take.
QList<ValueFinding> valueFindings(const QList<files::ScriptLine> &lines, const state::SettingsState *model = nullptr);

} // namespace telvaro::settings
