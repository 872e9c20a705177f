#pragma once

#include <QString>

#include <optional>

namespace telvaro::link {

// The serial lock file that dial-out and terminal programs on Unix agree on: <folder>/LCK..<name>
// (LCK..ttyUSB0 for /dev/ttyUSB0), holding the process id of the holder as ten characters and
// a line feed. A lock of a live process means the port is in use; a lock whose process has
// ended is left over, and taken over.
//
// Qt's serial port keeps a lock file of its own under the same name, in its own format and with
// the same process id, and takes any lock whose program name it cannot match for stale, a live
// dial-out program's included. Taking the lock here first, before the port opens, is what keeps
// the tool off a port that another program holds.
class PortLock
{
public:
    // /var/lock, or /run/lock where there is no /var/lock.
    static QString defaultFolder();

    explicit PortLock(const QString &folder = defaultFolder());
    ~PortLock();
    PortLock(const PortLock &) = delete;
    PortLock &operator=(const PortLock &) = delete;

    // The lock file's name for a device: LCK..ttyS0 for /dev/ttyS0, LCK..pts_3 for /dev/pts/3.
    static QString lockFileName(const QString &devicePath);
    QString lockFilePath(const QString &devicePath) const;

    // Takes the lock of the device. Returns why the port is in use when another live process
    // holds it (its process id and the lock file), and nothing when the lock is ours. Where the
    // lock folder cannot be written the port goes unlocked, with a warning.
    std::optional<QString> acquire(const QString &devicePath);

    // Removes the lock file taken by acquire, as long as it still names this process.
    void release();

private:
    enum class Creation { Created, Exists, Impossible };
    Creation createLockFile(const QString &path, QString *why) const;

    QString m_folder;
    QString m_heldPath;
};

} // namespace telvaro::link
