#include "widgets/slot_guard.h"

#include <QLoggingCategory>

namespace telvaro::widgets {

Q_LOGGING_CATEGORY(lcWindow, "telvaro.window")

void logEscapedError(const char *what, const char *detail)
{
    qCCritical(lcWindow, "%s ended by an error: %s", what, detail);
}

} // namespace telvaro::widgets
