#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

#include <QString>

#include <optional>

// The screen caption of the first value, in sending order, that code page 932 cannot hold
// once narrowed (such a character would otherwise reach the logger as "?"), or nullopt
// when everything can be sent. Limits of rows that take none are not sent and not checked.
std::optional<QString> firstUnsendableField(const AlarmScriptInputs &alarm, const MailScriptInputs &mail);
