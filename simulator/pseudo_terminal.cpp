#include "simulator/pseudo_terminal.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace telvaro::simulator {

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1StringView(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

int openPseudoTerminal(int flags, QString *slavePath, QString *error)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | flags);
    if (master < 0) {
        *error = systemError("cannot create a pseudo-terminal");
        return -1;
    }
    const char *name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || (name = ::ptsname(master)) == nullptr) {
        *error = systemError("cannot prepare the pseudo-terminal");
        ::close(master);
        return -1;
    }
    *slavePath = QFile::decodeName(name);
    return master;
}

bool makeRaw(int fd, QString *error)
{
    termios attributes{};
    if (::tcgetattr(fd, &attributes) != 0) {
        *error = systemError("cannot read the terminal settings");
        return false;
    }
    ::cfmakeraw(&attributes);
    if (::tcsetattr(fd, TCSANOW, &attributes) != 0) {
        *error = systemError("cannot set the terminal to raw mode");
        return false;
    }
    return true;
}

HeldPseudoTerminal::HeldPseudoTerminal(int masterFlags)
{
    const int master = openPseudoTerminal(masterFlags, &m_devicePath, &m_error);
    if (master < 0)
        return;
    const int slave = ::open(QFile::encodeName(m_devicePath).constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        m_error = systemError("cannot open the pseudo-terminal slave");
        ::close(master);
        return;
    }
    if (!makeRaw(slave, &m_error)) {
        ::close(slave);
        ::close(master);
        return;
    }
    m_master = master;
    m_heldSlave = slave;
}

HeldPseudoTerminal::~HeldPseudoTerminal()
{
    close();
}

void HeldPseudoTerminal::close()
{
    for (int *fd : {&m_master, &m_heldSlave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

} // namespace telvaro::simulator
