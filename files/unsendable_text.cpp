#include "files/unsendable_text.h"

namespace telvaro::files {

std::optional<QString> firstUnsendableField(const AlarmScriptInputs &alarm, const MailScriptInputs &mail)
{
    // "ArmNet.eep" repeats the limits of "Arm.eep", so it adds nothing to check.
    return firstUnsendableCaption(armScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail));
}

} // namespace telvaro::files
