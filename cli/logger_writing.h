#pragma once

#include "cli/logger_outcome.h"
#include "settings/device_settings.h"

#include <QCoreApplication>

namespace telvaro::screen_files {
struct GivenBy;
} // namespace telvaro::screen_files

namespace telvaro::cli {

class LoggerSession;

// What is to become of one logger.
struct WriteOrder
{
    settings::DeviceSettings changes; // the items to set: a settings file
    bool force = false;     // the write plan's findings are written all the same
    bool verify = true;     // read back, and compare with what the write meant to set
    settings::DeviceSettings unitRow; // a unit's row over the file: its items win
    QString fileName;       // where the changes come from, and the row
    QString rowName;
    bool dryRun = false;    // read and plan only: what a write would change and find, nothing sent
};

// Writes a logger as the window would after opening the settings on its screen: the logger is
// read, the file and then the unit's row are opened on the screen over what it holds, and the
// write plan of the screen is written with the write sequence and read back. Items given as
// "???" (a logger's answer for an item it lacks) leave the logger's item as it is; so do items
// this logger lacks. The changes are refused, before anything is written, when they name another
// model and hold channel items, which mean other channels there.
class LoggerWriting
{
    Q_DECLARE_TR_FUNCTIONS(LoggerWriting)

public:
    static LoggerOutcome run(LoggerSession &session, const WriteOrder &order);

    // "partly written: Arm.eep 40/40, mail.eep 3/12": the lines acknowledged of each script file
    // the write reached.
    static QString partlyWrittenText(const QList<exchange::ExchangeFailure::Block> &blocks);

private:
    // The write plan of what the screen shows, in outcome, as a write would make it.
    static void plan(LoggerSession &session, const WriteOrder &order, LoggerOutcome &outcome);
    static std::optional<QString> refusalOfModel(const settings::DeviceSettings &changes, const settings::DeviceSettings &logger);
    static void open(const settings::DeviceSettings &items, const screen_files::GivenBy &by, LoggerSession &session,
                     QStringList &notes);
};

} // namespace telvaro::cli
