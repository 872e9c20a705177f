#include "echo_peer.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>

EchoPeer::EchoPeer()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return;
    const char *slaveName = (grantpt(master) == 0 && unlockpt(master) == 0) ? ptsname(master)
                                                                           : nullptr;
    const int slave = slaveName ? ::open(slaveName, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0 || pipe(m_stopPipe) != 0) {
        ::close(master);
        return;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    m_master = master;
    m_heldSlave = slave;
    m_devicePath = QFile::decodeName(slaveName);
    m_thread = std::thread(&EchoPeer::run, this);
}

EchoPeer::~EchoPeer()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        (void)!::write(m_stopPipe[1], &stop, 1);
        m_thread.join();
    }
    for (int fd : {m_master, m_heldSlave, m_stopPipe[0], m_stopPipe[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void EchoPeer::run()
{
    static constexpr char kAnswer[] = "OK\r\n";
    pollfd watched[2] = {{m_master, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    char buffer[4096];
    for (;;) {
        if (poll(watched, 2, -1) < 0 || watched[1].revents != 0)
            return;
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count <= 0)
            return;
        const auto lines = std::count(buffer, buffer + count, '\n');
        for (auto line = 0; m_answering && line < lines; ++line)
            (void)!::write(m_master, kAnswer, sizeof kAnswer - 1);
    }
}
