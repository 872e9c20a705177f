#include "echo_peer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>

EchoPeer::EchoPeer()
{
    if (m_terminal.isValid() && pipe(m_stopPipe) == 0)
        m_thread = std::thread(&EchoPeer::run, this);
}

EchoPeer::~EchoPeer()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        (void)!::write(m_stopPipe[1], &stop, 1);
        m_thread.join();
    }
    for (int fd : m_stopPipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void EchoPeer::run()
{
    static constexpr char kAnswer[] = "OK\r\n";
    const int master = m_terminal.master();
    pollfd watched[2] = {{master, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    char buffer[4096];
    for (;;) {
        if (poll(watched, 2, -1) < 0 || watched[1].revents != 0)
            return;
        const ssize_t count = ::read(master, buffer, sizeof buffer);
        if (count <= 0)
            return;
        const auto lines = std::count(buffer, buffer + count, '\n');
        for (auto line = 0; m_answering && line < lines; ++line)
            (void)!::write(master, kAnswer, sizeof kAnswer - 1);
    }
}
