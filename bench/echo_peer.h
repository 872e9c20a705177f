#pragma once

#include <QString>

#include <atomic>
#include <thread>

// A logger stand-in on its own thread that answers every line it receives with "OK" CR LF at
// once, or stays silent. It uses plain system calls so that it costs both sides the same.
class EchoPeer
{
public:
    EchoPeer();
    ~EchoPeer();

    bool isValid() const { return m_master >= 0; }
    QString devicePath() const { return m_devicePath; }
    void setAnswering(bool answering) { m_answering = answering; }

private:
    void run();

    int m_master = -1;
    int m_heldSlave = -1; // keeps the master free of hang-ups between the two measurements
    int m_stopPipe[2] = {-1, -1};
    QString m_devicePath;
    std::atomic<bool> m_answering{true};
    std::thread m_thread;
};
