#include "widgets/logger_search_dialog.h"

#include "base/run_time_error.h"
#include "ports/serial_ports.h"
#include "files/env_file.h"
#include "link/port_names.h"
#include "link/speed_table.h"
#include "widgets/message_box.h"
#include "widgets/screen_font.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::link;
using namespace telvaro::ports;

namespace telvaro::widgets {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 9;

enum Column { DeviceColumn, ComColumn, FindingColumn };

// This machine's folders, the COM links but those of portsFolder.
PortFolders foldersOf(const QString &portsFolder)
{
    PortFolders folders = PortFolders::ofThisMachine();
    folders.ports = portsFolder;
    return folders;
}

QStringList devicesOfThisMachine(const QString &portsFolder)
{
    QStringList listed;
    for (const SerialDevice &port : serialDevices(foldersOf(portsFolder)))
        listed.append(port.device);
    return searchCandidates(listed, portsFolder);
}

QString describe(const DeviceFinding &finding, bool probed)
{
    using Outcome = DeviceFinding::Outcome;
    using Problem = PortOpenFailure::Problem;
    switch (finding.outcome) {
    case Outcome::Listening:
        return QStringLiteral("呼び出しを待っています…");
    case Outcome::Asking:
        return QStringLiteral("応答を確かめています…");
    case Outcome::HeardWakeUp:
        return QStringLiteral("ロガーあり（呼び出し「AT」を受信）");
    case Outcome::AnsweredHandshake:
        return QStringLiteral("ロガーあり（接続手順に「READY」で応答）");
    case Outcome::NoAnswer:
        return probed ? QStringLiteral("ロガーなし（呼び出しも応答もなし）") : QStringLiteral("ロガーなし（呼び出しなし）");
    case Outcome::NotOpened:
        switch (finding.problem) {
        case Problem::InUse:
            return QStringLiteral("ほかのプログラムが使用中: %1").arg(finding.reason);
        case Problem::PermissionDenied:
            return QStringLiteral("使う権限がありません: %1").arg(finding.reason);
        case Problem::NoSuchDevice:
            return QStringLiteral("デバイスがありません: %1").arg(finding.reason);
        case Problem::Other:
            break;
        }
        return QStringLiteral("開けません: %1").arg(finding.reason);
    case Outcome::LineLost:
        return QStringLiteral("デバイスが切断されました");
    case Outcome::Cancelled:
        return QStringLiteral("中止しました");
    }
    return {};
}

// The line settings of the choice; none (every device then reports why) for a speed index
// the table does not hold.
QString lineSettingsOf(const PortChoice &choice)
{
    try {
        return SpeedTable().at(choice.BaudIndex);
    } catch (const RunTimeError &) {
        return {};
    }
}

} // namespace

LoggerSearchDialog::Setup::Setup()
    : portsFolder(PortNames::defaultPortsFolder())
    , byIdFolder(PortFolders::ofThisMachine().byId)
{
}

LoggerSearchDialog::LoggerSearchDialog(const Setup &setup, const PortChoice &current, QWidget *parent)
    : QDialog(parent), m_setup(setup), m_current(current)
{
    setObjectName(QStringLiteral("frm_FindLogger"));
    setWindowTitle(QStringLiteral("ロガーを探す"));
    setFont(screenFont());
    setModal(true);
    if (!m_setup.devices)
        m_setup.devices = [folder = m_setup.portsFolder] { return devicesOfThisMachine(folder); };
    m_setup.search.lineSettings = lineSettingsOf(current);

    const QString speed = m_setup.search.lineSettings.section(u',', 0, 0);
    auto *about = new QLabel(
        QStringLiteral("ほかのプログラムが使っていないシリアルポートすべてで、通信設定の通信速度 %1bps により、"
                       "待機中のロガーが送る呼び出し（AT）を%2秒まで待ちます。何も送りません。")
            .arg(speed.isEmpty() ? QStringLiteral("（未設定）") : speed)
            .arg(double(m_setup.search.listenTime.count()) / 1000.0),
        this);
    about->setObjectName(QStringLiteral("lbl_About"));
    about->setWordWrap(true);

    m_probe = new QCheckBox(QStringLiteral("応答を確かめる"), this);
    m_probe->setObjectName(QStringLiteral("chk_Probe"));
    m_probe->setToolTip(QStringLiteral("呼び出しのなかったポートに接続手順（CONNECT）だけを送り、READY を待ちます。"
                                       "ロガーでない機器にも送られます。"));
    m_find = new QPushButton(QStringLiteral("探す"), this);
    m_find->setObjectName(QStringLiteral("cmd_Find"));
    m_find->setDefault(true);
    connect(m_find, &QPushButton::clicked, this, &LoggerSearchDialog::findOrCancel);
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_probe);
    findRow->addStretch(1);
    findRow->addWidget(m_find);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lst_Devices"));
    m_list->setHeaderLabels({QStringLiteral("デバイス"), QStringLiteral("COM"), QStringLiteral("結果")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(DeviceColumn, 160);
    m_list->setColumnWidth(ComColumn, 60);
    m_list->setMinimumSize(560, 180);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &LoggerSearchDialog::rowChosen);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbl_Status"));

    m_com = new QComboBox(this);
    m_com->setObjectName(QStringLiteral("cbo_Com"));
    for (int number = kFirstPort; number <= kLastPort; ++number)
        m_com->addItem(QStringLiteral("COM%1").arg(number));
    m_com->setCurrentIndex(current.PortIndex >= 0 && current.PortIndex < m_com->count() ? current.PortIndex : 0);
    m_use = new QPushButton(QStringLiteral("割り当てて使う(&U)"), this);
    m_use->setObjectName(QStringLiteral("cmd_Use"));
    m_use->setEnabled(false);
    connect(m_use, &QPushButton::clicked, this, &LoggerSearchDialog::useChosenDevice);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("cmd_Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &LoggerSearchDialog::reject);
    auto *useRow = new QHBoxLayout;
    useRow->addWidget(new QLabel(QStringLiteral("見つかったロガーのデバイスを"), this));
    useRow->addWidget(m_com);
    useRow->addWidget(m_use);
    useRow->addStretch(1);
    useRow->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(findRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addLayout(useRow);

    connect(&m_search, &LoggerSearch::deviceChanged, this, &LoggerSearchDialog::showFinding);
    connect(&m_search, &LoggerSearch::finished, this, &LoggerSearchDialog::searchEnded);
}

void LoggerSearchDialog::findOrCancel()
{
    if (m_search.isRunning()) {
        m_search.cancel();
        return;
    }
    const QStringList devices = m_setup.devices();
    m_list->clear();
    for (const QString &device : devices)
        new QTreeWidgetItem(m_list, {device, comNamesOf(device, foldersOf(m_setup.portsFolder)).join(QStringLiteral(", ")), QString()});
    m_find->setText(QStringLiteral("中止"));
    m_probe->setEnabled(false);
    m_use->setEnabled(false);
    m_status->setText(devices.isEmpty() ? QString() : QStringLiteral("探しています…"));
    ports::LoggerSearch::Options options = m_setup.search;
    options.probe = m_probe->isChecked();
    m_search.start(devices, options);
}

void LoggerSearchDialog::showFinding(int index)
{
    if (QTreeWidgetItem *row = m_list->topLevelItem(index))
        row->setText(FindingColumn, describe(m_search.findings().at(index), m_probe->isChecked()));
}

void LoggerSearchDialog::searchEnded()
{
    m_find->setText(QStringLiteral("探す"));
    m_probe->setEnabled(true);
    qsizetype found = 0;
    bool cancelled = false;
    int first = -1;
    for (int index = 0; index < m_search.findings().size(); ++index) {
        const DeviceFinding &finding = m_search.findings().at(index);
        cancelled = cancelled || finding.outcome == DeviceFinding::Outcome::Cancelled;
        if (finding.isLogger()) {
            ++found;
            if (first < 0)
                first = index;
        }
    }
    if (m_search.findings().isEmpty())
        m_status->setText(QStringLiteral("探せるシリアルポートがありません。"));
    else if (found > 0)
        m_status->setText(QStringLiteral("ロガーが %1 台見つかりました。選んでCOMを割り当てられます。").arg(found));
    else if (cancelled)
        m_status->setText(QStringLiteral("中止しました。"));
    else
        m_status->setText(QStringLiteral("ロガーは見つかりませんでした。"));
    if (first >= 0)
        m_list->setCurrentItem(m_list->topLevelItem(first));
    rowChosen();
}

int LoggerSearchDialog::selectedFinding() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty() || m_search.isRunning())
        return -1;
    const int index = m_list->indexOfTopLevelItem(selected.first());
    return index >= 0 && index < m_search.findings().size() ? index : -1;
}

void LoggerSearchDialog::rowChosen()
{
    const int index = selectedFinding();
    const bool logger = index >= 0 && m_search.findings().at(index).isLogger();
    m_use->setEnabled(logger);
    if (!logger)
        return;
    // The name that already leads there, where one does.
    const QString device = m_search.findings().at(index).device;
    for (int number = kFirstPort; number <= kLastPort; ++number) {
        if (QFileInfo(PortNames::deviceFor(number, m_setup.portsFolder)).canonicalFilePath() == device) {
            m_com->setCurrentIndex(number - kFirstPort);
            break;
        }
    }
}

void LoggerSearchDialog::useChosenDevice()
{
    const int index = selectedFinding();
    if (index < 0 || !m_search.findings().at(index).isLogger())
        return;
    const QString device = m_search.findings().at(index).device;
    const int number = m_com->currentIndex() + kFirstPort;
    // A kernel name such as /dev/ttyUSB0 changes with the order of plugging in; the stable name
    // of the adapter does not.
    const QString stable = stablePathOf(device, m_setup.byIdFolder);
    const QString target = stable.isEmpty() ? device : stable;
    QString error;
    if (!PortNames::mapPort(number, target, m_setup.portsFolder, &error)) {
        showModalWarning(this, QStringLiteral("COM%1 を割り当てられません。").arg(number), error);
        return;
    }
    const PortChoice choice{qint16(number - kFirstPort), m_current.BaudIndex};
    if (!SaveEnv(choice)) {
        showModalMessage(this, QStringLiteral("通信設定を保存できません。"));
        return;
    }
    m_chosen = choice;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = m_list->topLevelItem(row);
        item->setText(ComColumn, comNamesOf(item->text(DeviceColumn), foldersOf(m_setup.portsFolder)).join(QStringLiteral(", ")));
    }
    showModalMessage(this, QStringLiteral("COM%1 を %2 に割り当てました。次の通信は COM%1 で行います。").arg(number).arg(target));
}

void LoggerSearchDialog::reject()
{
    m_search.cancel();
    QDialog::reject();
}

} // namespace telvaro::widgets
