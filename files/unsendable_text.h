#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

#include <QString>

#include <optional>

namespace telvaro::files {

// The screen caption of the first value, in sending order, that cannot go out as it stands
// once narrowed (see firstUnsendableCaption: a character code page 932 cannot hold whole would
// reach the logger as "?" or not at all, a control character would break the line), or nullopt
// when everything can be sent. Limits of rows that take none are not sent and not checked.
std::optional<QString> firstUnsendableField(const AlarmScriptInputs &alarm, const MailScriptInputs &mail);

} // namespace telvaro::files
