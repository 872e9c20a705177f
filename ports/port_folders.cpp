#include "ports/port_folders.h"

#include "link/port_names.h"

#ifdef Q_OS_UNIX
#include "link/port_lock.h"
#endif

namespace telvaro::ports {

PortFolders PortFolders::ofThisMachine()
{
    PortFolders folders;
    folders.byId = QStringLiteral("/dev/serial/by-id");
    folders.dev = QStringLiteral("/dev");
    folders.ports = link::PortNames::defaultPortsFolder();
#ifdef Q_OS_UNIX
    folders.locks = link::PortLock::defaultFolder();
#endif
    return folders;
}

} // namespace telvaro::ports
