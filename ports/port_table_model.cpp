#include "ports/port_table_model.h"

#include "ports/com_mapping.h"

#include <QStringList>

namespace telvaro::ports {

namespace {

QString comName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

QString usbIds(const SerialDevice &device)
{
    if (!device.vendorId && !device.productId)
        return {};
    const auto hex = [](const std::optional<quint16> &id) {
        return id ? QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0')) : QStringLiteral("????");
    };
    return hex(device.vendorId) + u':' + hex(device.productId);
}

QString accessText(const SerialDevice &device)
{
    switch (device.access) {
    case SerialDevice::Access::Usable:
        return QStringLiteral("使用できます");
    case SerialDevice::Access::PermissionDenied:
        return device.accessGroup.isEmpty()
                   ? QStringLiteral("権限がありません")
                   : QStringLiteral("権限がありません (ユーザーを %1 グループに加えてください)").arg(device.accessGroup);
    case SerialDevice::Access::Unusable:
        return QStringLiteral("使用できません: %1").arg(device.accessReason);
    }
    return {};
}

QString holderText(const std::optional<link::LockHolder> &holder)
{
    if (!holder)
        return {};
    return holder->program.isEmpty() ? QStringLiteral("プロセス %1").arg(holder->pid)
                                     : QStringLiteral("%1 (プロセス %2)").arg(holder->program).arg(holder->pid);
}

QString notASerialDevice(const QString &device, DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::Missing:
        return QStringLiteral("%1 はもうありません。抜かれたようです。").arg(device);
    case DeviceKind::Folder:
        return QStringLiteral("%1 はフォルダーで、シリアルポートではありません。").arg(device);
    case DeviceKind::File:
        return QStringLiteral("%1 はファイルで、シリアルポートではありません。").arg(device);
    case DeviceKind::NotTerminal:
    case DeviceKind::SerialDevice:
        break;
    }
    return QStringLiteral("%1 は端末デバイスではないため、シリアルポートではありません。").arg(device);
}

} // namespace

PortTableModel::PortTableModel(const PortFolders &folders, QObject *parent, std::chrono::milliseconds period,
                               std::chrono::milliseconds settle)
    : QAbstractTableModel(parent), m_watcher(folders, nullptr, period, settle)
{
    // A change may add, remove and reorder rows at once: the view reads them all again.
    connect(&m_watcher, &PortWatcher::changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int PortTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(devices().size());
}

int PortTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PortTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= devices().size())
        return {};
    const SerialDevice &device = devices().at(index.row());
    if (role == Qt::DisplayRole)
        return text(device, index.column());
    if (role == Qt::ToolTipRole && index.column() == AccessColumn && device.access == SerialDevice::Access::PermissionDenied)
        return QStringLiteral("sudo adduser $USER %1 のあと、ログインし直してください。")
            .arg(device.accessGroup.isEmpty() ? QStringLiteral("dialout") : device.accessGroup);
    return {};
}

QString PortTableModel::text(const SerialDevice &device, int column) const
{
    switch (column) {
    case DeviceColumn:
        return device.device;
    case DescriptionColumn:
        return device.description;
    case MakerColumn:
        return device.maker;
    case UsbIdColumn:
        return usbIds(device);
    case SerialNumberColumn:
        return device.serialNumber;
    case StablePathColumn:
        return device.stablePath;
    case AccessColumn:
        return accessText(device);
    case HolderColumn:
        return holderText(device.holder);
    case ComNamesColumn: {
        QStringList names;
        for (int number : device.comNumbers)
            names.append(comName(number));
        return names.join(QStringLiteral(", "));
    }
    default:
        return {};
    }
}

QVariant PortTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const headers[ColumnCount] = {u"デバイス",     u"説明", u"メーカー",         u"USB ID (VID:PID)",
                                                         u"シリアル番号", u"固定名 (by-id)",       u"使用の可否",
                                                         u"使用中のプログラム", u"COM 名"};
    return section >= 0 && section < ColumnCount ? QVariant(QString::fromUtf16(headers[section])) : QVariant();
}

int PortTableModel::rowOf(const QString &device) const
{
    for (qsizetype row = 0; row < devices().size(); ++row) {
        if (devices().at(row).device == device)
            return int(row);
    }
    return -1;
}

QString PortTableModel::mappingText(int comNumber) const
{
    for (const ComMapping &mapping : m_watcher.mappings()) {
        if (mapping.number != comNumber)
            continue;
        const QString leadsTo = mapping.device.isEmpty() || mapping.device == mapping.target
                                    ? mapping.target
                                    : QStringLiteral("%1 (%2)").arg(mapping.target, mapping.device);
        switch (mapping.state) {
        case ComMapping::State::Default:
            return mapping.device.isEmpty()
                       ? QStringLiteral("%1: 割り当てなし (%2 はありません)").arg(comName(comNumber), mapping.target)
                       : QStringLiteral("%1: 割り当てなし (%2)").arg(comName(comNumber), leadsTo);
        case ComMapping::State::Mapped:
            return QStringLiteral("%1 → %2").arg(comName(comNumber), leadsTo);
        case ComMapping::State::Missing:
            return QStringLiteral("%1 → %2 (接続されていません)").arg(comName(comNumber), mapping.target);
        case ComMapping::State::NotALink:
            return QStringLiteral("%1: %2 はリンクではありません").arg(comName(comNumber), mapping.target);
        }
    }
    return {};
}

PortTableModel::Outcome PortTableModel::assign(int comNumber, int row)
{
    if (row < 0 || row >= devices().size())
        return {false, QStringLiteral("割り当てるデバイスを一覧から選んでください。")};
    const QString device = devices().at(row).device;
    const Assignment assignment = assignComName(comNumber, device, m_watcher.folders());
    m_watcher.rescan();
    switch (assignment.result) {
    case Assignment::Result::Assigned:
        return {true, assignment.target == device
                          ? QStringLiteral("%1 を %2 に割り当てました。").arg(comName(comNumber), device)
                          : QStringLiteral("%1 を %2 (%3) に割り当てました。").arg(comName(comNumber), assignment.target, device)};
    case Assignment::Result::NoSerialDevice:
        return {false, notASerialDevice(device, assignment.kind)};
    case Assignment::Result::NotALink:
        return {false, QStringLiteral("%1 はリンクではないため、そのままにしました。%2 は割り当てられません。")
                           .arg(assignment.error, comName(comNumber))};
    case Assignment::Result::Failed:
        break;
    }
    return {false, QStringLiteral("%1 を割り当てられません: %2").arg(comName(comNumber), assignment.error)};
}

PortTableModel::Outcome PortTableModel::unassign(int comNumber)
{
    const Removal removal = removeComName(comNumber, m_watcher.folders());
    m_watcher.rescan();
    switch (removal.result) {
    case Removal::Result::Removed:
        return {true, QStringLiteral("%1 の割り当て (%2) を解除しました。").arg(comName(comNumber), removal.target)};
    case Removal::Result::NotMapped:
        return {false, QStringLiteral("%1 は割り当てられていません。").arg(comName(comNumber))};
    case Removal::Result::NotALink:
        return {false, QStringLiteral("%1 はリンクではないため、そのままにしました。").arg(removal.target)};
    case Removal::Result::Failed:
        break;
    }
    return {false, QStringLiteral("%1 の割り当てを解除できません: %2").arg(comName(comNumber), removal.error)};
}

} // namespace telvaro::ports
