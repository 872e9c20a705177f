#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"
#include "support/telvaro_names.h"

// Every box of the script files filled with text a logger takes; row 1 takes no limits.
inline AlarmScriptInputs sampleAlarmRows()
{
    AlarmScriptInputs inputs;
    inputs.channelCode.fill(QStringLiteral("127"));
    inputs.alarmFlag.fill(QStringLiteral("1"));
    inputs.alarmFlag[1] = QStringLiteral("0");
    inputs.lowerLimit.fill(QStringLiteral("-10"));
    inputs.upperLimit.fill(QStringLiteral("50"));
    return inputs;
}

inline MailScriptInputs sampleMailSettings()
{
    MailScriptInputs inputs;
    inputs.dataAddress.fill(QStringLiteral("data@example.jp"));
    inputs.alarmAddress.fill(QStringLiteral("alarm@example.jp"));
    inputs.connection.fill(QStringLiteral("setting"));
    inputs.authCaption = QStringLiteral("1");
    return inputs;
}
