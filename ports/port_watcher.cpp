#include "ports/port_watcher.h"

#include <QFileInfo>

namespace telvaro::ports {

PortWatcher::PortWatcher(const PortFolders &folders, QObject *parent, std::chrono::milliseconds period,
                         std::chrono::milliseconds settle)
    : QObject(parent), m_folders(folders), m_devices(serialDevices(folders)), m_mappings(comMappings(folders))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settle);
    connect(&m_settle, &QTimer::timeout, this, &PortWatcher::rescan);
    // Each change starts the wait again: a burst is read once.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    m_period.setInterval(period);
    connect(&m_period, &QTimer::timeout, this, &PortWatcher::rescan);
    m_period.start();
    watchFolders();
}

void PortWatcher::rescan()
{
    m_settle.stop();
    // The by-id folder comes with the first adapter and goes with the last one.
    watchFolders();
    QList<SerialDevice> devices = serialDevices(m_folders);
    QList<ComMapping> mappings = comMappings(m_folders);
    if (devices == m_devices && mappings == m_mappings)
        return;
    m_devices = std::move(devices);
    m_mappings = std::move(mappings);
    emit changed();
}

void PortWatcher::watchFolders()
{
    const QStringList watched = m_watcher.directories();
    for (const QString &folder : {m_folders.byId, m_folders.dev, m_folders.ports}) {
        if (!folder.isEmpty() && !watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
    }
}

} // namespace telvaro::ports
