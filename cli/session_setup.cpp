#include "cli/session_setup.h"

#include "link/port_names.h"

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::link;

namespace telvaro::cli {

SessionSetup SessionSetup::ofRunningProgram()
{
    return {5, ExchangeTimings{}, PortNames::defaultPortsFolder(), AppFolder::ofRunningProgram()};
}

} // namespace telvaro::cli
