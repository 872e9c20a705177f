#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

#include <QList>
#include <QString>

namespace telvaro::settings {

// A value that is plainly wrong for the logger, found before a write.
struct ValueFinding
{
    enum class Problem {
        NotADecimalNumber, // a limit
        LowerAboveUpper,   // a lower limit above the upper limit of its row
        NotOneAtSign,      // a mail address
        NotAnIpv4Address,  // a DNS server
    };

    Problem problem = Problem::NotADecimalNumber;
    QString item;    // the logger's name of the item, "ALARM4"
    QString caption; // the field as the pre-flight check names it, "警報下限値 2"
    QString value;   // as the write would send it
    QString upperValue; // LowerAboveUpper: the upper limit of the row

    friend bool operator==(const ValueFinding &, const ValueFinding &) = default;
};

// "警報下限値 2 (ALARM4): "1O" is not a decimal number", translated.
QString describe(const ValueFinding &finding);

// Checks the values a write would send, in sending order: a non-empty limit that is not a decimal
// number, a lower limit above its upper limit, a non-empty mail address (the alarm, data and
// sender addresses) without exactly one "@", a non-empty DNS server that is not a dotted IPv4
// address. Only rows that take limits are checked: the others send none.
QList<ValueFinding> valueFindings(const files::AlarmScriptInputs &alarm, const files::MailScriptInputs &mail);

} // namespace telvaro::settings
