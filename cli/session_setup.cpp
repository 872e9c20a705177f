#include "cli/session_setup.h"

#include "link/port_names.h"
#include "record/exchange_record.h"

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::link;

namespace telvaro::cli {

SessionSetup SessionSetup::ofRunningProgram()
{
    return {5, ExchangeTimings{}, PortNames::defaultPortsFolder(), AppFolder::ofRunningProgram(), defaultRecordPath()};
}

QString SessionSetup::defaultRecordPath()
{
    return record::ExchangeRecord::configuredPath();
}

} // namespace telvaro::cli
