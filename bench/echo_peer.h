#pragma once

#include "simulator/pseudo_terminal.h"

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

    bool isValid() const { return m_terminal.isValid() && m_thread.joinable(); }
    QString devicePath() const { return m_terminal.devicePath(); }
    void setAnswering(bool answering) { m_answering = answering; }

private:
    void run();

    telvaro::simulator::HeldPseudoTerminal m_terminal;
    int m_stopPipe[2] = {-1, -1};
    std::atomic<bool> m_answering{true};
    std::thread m_thread;
};
