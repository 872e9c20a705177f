#pragma once

#include "cli/logger_outcome.h"
#include "settings/device_settings.h"

#include <QCoreApplication>

namespace telvaro::cli {

class LoggerSession;

// What is to become of one logger.
struct WriteOrder
{
    settings::DeviceSettings changes; // the items to set: a settings file, a unit's row over it
    bool force = false;     // values that look wrong are written all the same
    bool verify = true;     // read back, and compare with what the write meant to set
};

// Writes a logger as the window would after opening the settings on its screen: the logger is
// read, the changes are shown over what it holds, checked, written with the write sequence and
// read back. Items the changes give as "???" (a logger's answer for an item it lacks) leave the
// logger's item as it is; so do items this logger lacks. The changes are refused, before anything
// is written, when they name another model and hold channel items, which mean other channels
// there.
class LoggerWriting
{
    Q_DECLARE_TR_FUNCTIONS(LoggerWriting)

public:
    static LoggerOutcome run(LoggerSession &session, const WriteOrder &order);

private:
    static std::optional<QString> refusalOfModel(const settings::DeviceSettings &changes, const settings::DeviceSettings &logger);
    static settings::DeviceSettings applicable(const settings::DeviceSettings &changes, const LoggerSession &session,
                                     QStringList &notes);
};

} // namespace telvaro::cli
