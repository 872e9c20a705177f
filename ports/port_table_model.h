#pragma once

#include "ports/port_folders.h"
#include "ports/port_watcher.h"

#include <QAbstractTableModel>
#include <QString>

namespace telvaro::ports {

// The serial devices of this machine as the window's dialog "シリアルポートの割り当て" shows them,
// one row each, kept up to date as adapters come and go; and the COM names assigned and removed,
// with what the operator is told. No widget: the dialog is a view of it.
class PortTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        DeviceColumn,
        DescriptionColumn,
        MakerColumn,
        UsbIdColumn,
        SerialNumberColumn,
        StablePathColumn,
        AccessColumn,
        HolderColumn,
        ComNamesColumn,
        ColumnCount
    };

    // What an assignment or removal did, or why it did nothing, for the operator.
    struct Outcome
    {
        bool done = false;
        QString message;
    };

    explicit PortTableModel(const PortFolders &folders, QObject *parent = nullptr,
                            std::chrono::milliseconds period = PortWatcher::kDefaultPeriod,
                            std::chrono::milliseconds settle = PortWatcher::kDefaultSettle);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QList<SerialDevice> &devices() const { return m_watcher.devices(); }
    // The row of a device, or -1: a view keeps its choice across a change by it.
    int rowOf(const QString &device) const;
    // Where COM<number> leads now, in a line: "COM3 → /dev/serial/by-id/…（接続されていません）".
    QString mappingText(int comNumber) const;

    // COM<comNumber> made to lead to the device of row (-1: none chosen).
    Outcome assign(int comNumber, int row);
    Outcome unassign(int comNumber);

    PortWatcher &watcher() { return m_watcher; }

private:
    QString text(const SerialDevice &device, int column) const;

    PortWatcher m_watcher;
};

} // namespace telvaro::ports
