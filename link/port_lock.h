#pragma once

#include <QString>

#include <optional>

namespace telvaro::link {

// A live program that holds a port by its lock file.
struct LockHolder
{
    qint64 pid = 0;
    QString program; // from /proc/<pid>/comm; empty where that cannot be read
    QString lockFile;

    friend bool operator==(const LockHolder &, const LockHolder &) = default;
};

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

    // The live program, this one included, whose lock file names the device; nothing when no
    // such program holds it. Nothing is taken or removed.
    std::optional<LockHolder> holderOf(const QString &devicePath) const;

    // The name a running program goes by (/proc/<pid>/comm), or an empty string.
    static QString programOf(qint64 pid);

    // Why the port cannot be taken: another live program holds it (holder), or a lock file
    // that names no process does, or others keep taking it.
    struct Conflict
    {
        QString reason; // for the log, in the developer's words
        std::optional<LockHolder> holder;
    };

    // Takes the lock of the device. Returns the conflict when another live process holds it,
    // and nothing when the lock is ours. Where the lock folder cannot be written the port goes
    // unlocked, with a warning.
    std::optional<Conflict> acquire(const QString &devicePath);

    // Removes the lock file taken by acquire, as long as it still names this process.
    void release();

private:
    enum class Creation { Created, Exists, Impossible };
    Creation createLockFile(const QString &path, QString *why) const;

    QString m_folder;
    QString m_heldPath;
};

} // namespace telvaro::link
