#pragma once

#include <QString>

namespace telvaro::simulator {

// Opens the master side of a fresh pseudo-terminal with the given flags (O_NONBLOCK for an event
// loop; O_RDWR | O_NOCTTY always) and names its slave device. Returns -1 and sets error when no
// pseudo-terminal can be had.
int openPseudoTerminal(int flags, QString *slavePath, QString *error);

// Puts the terminal behind fd into raw mode: bytes pass both ways unchanged, so that no carriage
// return becomes a line feed before the tool has set up the line itself.
bool makeRaw(int fd, QString *error);

// A pseudo-terminal whose slave side is held open, in raw mode, for as long as it lives, so that
// its master never sees a hang-up while the tool has the device closed: the far end of a line
// for tests and measurements.
class HeldPseudoTerminal
{
public:
    explicit HeldPseudoTerminal(int masterFlags = 0);
    ~HeldPseudoTerminal();
    HeldPseudoTerminal(const HeldPseudoTerminal &) = delete;
    HeldPseudoTerminal &operator=(const HeldPseudoTerminal &) = delete;

    bool isValid() const { return m_master >= 0; }
    const QString &errorString() const { return m_error; }
    int master() const { return m_master; }
    const QString &devicePath() const { return m_devicePath; }

    // Closes both sides: for the tool, the device has gone away.
    void close();

private:
    int m_master = -1;
    int m_heldSlave = -1;
    QString m_devicePath;
    QString m_error;
};

} // namespace telvaro::simulator
