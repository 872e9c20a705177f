#include "cli/session_setup.h"

#include "link/port_names.h"

SessionSetup SessionSetup::ofRunningProgram()
{
    return {5, ExchangeTimings{}, PortNames::defaultPortsFolder(), AppFolder::ofRunningProgram()};
}
