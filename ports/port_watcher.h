#pragma once

#include "ports/port_folders.h"
#include "ports/serial_ports.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>

namespace telvaro::ports {

// Keeps the serial devices and the COM names of this machine, and says when they change: an
// adapter plugged in or out, a COM name assigned, a program taking or leaving a port. The folders
// are watched; a burst of changes (udev makes several entries per adapter) is read once, after it
// has settled. A periodic look catches what no folder tells: a lock file, a permission.
class PortWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultPeriod{2000};
    static constexpr std::chrono::milliseconds kDefaultSettle{150};

    explicit PortWatcher(const PortFolders &folders, QObject *parent = nullptr,
                         std::chrono::milliseconds period = kDefaultPeriod,
                         std::chrono::milliseconds settle = kDefaultSettle);

    const PortFolders &folders() const { return m_folders; }
    const QList<SerialDevice> &devices() const { return m_devices; }
    const QList<ComMapping> &mappings() const { return m_mappings; }

    // Looks again at once (after a change of the tool's own); emits changed when anything did.
    void rescan();

signals:
    void changed();

private:
    void watchFolders();

    PortFolders m_folders;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_period;
    QList<SerialDevice> m_devices;
    QList<ComMapping> m_mappings;
};

} // namespace telvaro::ports
