#include "widgets/frm_main.h"

#include "exchange/read_sequence.h"
#include "exchange/write_sequence.h"
#include "files/auth_types.h"
#include "files/env_file.h"
#include "link/link.h"
#include "state/settings_state.h"
#include "widgets/editing_handlers.h"
#include "widgets/frm_set.h"
#include "widgets/message_box.h"
#include "widgets/screen_font.h"
#include "widgets/screen_lock.h"
#include "widgets/settings_pages.h"
#include "widgets/tab_control.h"
#include "widgets/twips_geometry.h"
#include "widgets/window_sequence_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

namespace {

enum Command : qint16 { ReadCommand = 0, WriteCommand = 1, SaveCommand = 2, ExitCommand = 3 };

constexpr int kClientWidth = 9675;
constexpr int kStatusBarTop = 6810;
constexpr int kStatusBarHeight = 375;
constexpr int kStatusPanelWidth = 6000;
constexpr int kTabStripHeight = 295;
constexpr int kConnectionPage = 3;

} // namespace

FrmMain::FrmMain(SettingsState &state, const AppFolder &appFolder, SerialLine &comPort, QWidget *parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_appFolder(appFolder)
    , m_link(std::make_unique<Link>(comPort))
    , m_sequenceScreen(std::make_unique<WindowSequenceScreen>(*this, state))
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Telvaro Eメールモデル　設定ソフト Ver3.0 SIM対応版  for Amberlyn"));
    setFont(screenFont());

    buildMenu();
    buildClientArea();
    buildStatusBar();
    // Nothing moves or resizes with the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connectEditingHandlers(m_state, m_controls);

    load();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildMenu()
{
    m_controls.mnu_Set = menuBar()->addMenu(QStringLiteral("通信設定(&S)"));
    m_controls.mnu_Set->setObjectName(QStringLiteral("mnu_Set"));
    // The drop-down is a window of its own and does not take the window's font by itself.
    m_controls.mnu_Set->setFont(font());
    // The full-width ampersand of the item is text; only "(&C)" marks an access key.
    QAction *item = m_controls.mnu_Set->addAction(QStringLiteral("COMポート＆通信速度(&C)"));
    item->setObjectName(indexedName(QStringLiteral("mnu_Setitem"), 0));
    connect(item, &QAction::triggered, this, [this] { mnu_Setitem_Click(0); });
}

void FrmMain::buildClientArea()
{
    auto *client = new QWidget(this);
    client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kStatusBarTop));
    setCentralWidget(client);

    auto *tabs = new TabControl(twipsRect(120, 120, 7845, 6615), twipsToPixels(kTabStripHeight), client);
    tabs->setObjectName(QStringLiteral("SSTab2"));
    tabs->tabBar()->setFont(screenFont(9.0, true));
    buildChannelPage(tabs->addPage(QStringLiteral("警報値設定")), m_controls);
    buildMailPage(tabs->addPage(QStringLiteral("警報送信先アドレス")), MailPage::Alarm, m_controls.Text4);
    buildMailPage(tabs->addPage(QStringLiteral("データ送信先アドレス")), MailPage::Data, m_controls.Text5);
    buildConnectionPage(tabs->addPage(QStringLiteral("接続設定")), m_controls);
    tabs->setCurrentIndex(kConnectionPage);
    m_controls.SSTab2 = tabs;

    const struct
    {
        const char16_t *caption;
        int top;
    } buttons[] = {{u"設定値読込", 240}, {u"設定値書込", 1080}, {u"設定値保存", 1920}, {u"終了", 3600}};
    for (qint16 i = 0; i < qint16(std::size(buttons)); ++i) {
        auto *button = placed(new QPushButton(QString::fromUtf16(buttons[i].caption), client),
                              indexedName(QStringLiteral("Command1"), i), twipsRect(8040, buttons[i].top, 1455, 615));
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        m_controls.Command1[i] = button;
    }
    m_controls.Command1[WriteCommand]->setEnabled(false);
    // The save button is not in use: never shown, never enabled by the screen itself.
    m_controls.Command1[SaveCommand]->setEnabled(false);
    m_controls.Command1[SaveCommand]->hide();

    // The exchange log is kept for the developer, never shown to the operator.
    m_rtxtBox = placed(new QPlainTextEdit(client), QStringLiteral("rtxt_Box"), twipsRect(8040, 4440, 1455, 2175));
    m_rtxtBox->hide();
}

void FrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sts_Main"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(twipsToPixels(kStatusBarHeight));
    m_statusPanel = new QLabel(bar);
    m_statusPanel->setObjectName(QStringLiteral("sts_Main.Panels(1)"));
    m_statusPanel->setFixedWidth(twipsToPixels(kStatusPanelWidth));
    m_statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(m_statusPanel);
}

void FrmMain::load()
{
    m_portChoice = LoadEnv();
    m_state.ApnAuthEnabled = kFalse;
    LoadAuthTypes(m_state, m_appFolder);
}

void FrmMain::Command1_Click(qint16 index)
{
    switch (index) {
    case ReadCommand:
        startRead();
        break;
    case WriteCommand:
        startWrite();
        break;
    case ExitCommand:
        QApplication::closeAllWindows();
        break;
    default:
        break;
    }
}

void FrmMain::mnu_Setitem_Click(qint16 index)
{
    if (index == 0)
        m_portChoice = FrmSet::choose();
}

// Nothing may start a second exchange or change the port while one runs; the exchange
// gives the controls back when it ends.
void FrmMain::disableCommands()
{
    for (QPushButton *button : m_controls.Command1)
        button->setEnabled(false);
    m_controls.SSTab2->setEnabled(false);
    m_controls.mnu_Set->setEnabled(false);
    setStatusText(QString());
}

void FrmMain::startRead()
{
    disableCommands();
    // The read decides afresh whether the logger has the APN and authentication items.
    m_state.ApnAuthEnabled = kFalse;
    LockScreen(m_controls);
    setBusy(true);
    runReadSequence();
    setBusy(false);
}

void FrmMain::startWrite()
{
    disableCommands();
    LockScreen(m_controls);
    setBusy(true);
    runWriteSequence();
    setBusy(false);
}

void FrmMain::runReadSequence()
{
    ReadSequence read({m_state, *m_link, m_appFolder, *m_sequenceScreen});
    read.ReadFromLogger(m_portChoice);
}

void FrmMain::runWriteSequence()
{
    WriteSequence write({m_state, *m_link, m_appFolder, *m_sequenceScreen});
    write.write(m_portChoice);
}

void FrmMain::setStatusText(const QString &text)
{
    m_statusPanel->setText(text);
}

void FrmMain::clearLog()
{
    m_logText.clear();
    m_rtxtBox->clear();
}

void FrmMain::appendLog(const QString &text)
{
    // Kept apart as well, because the box shows CR LF as a paragraph break.
    m_logText += text;
    m_rtxtBox->setPlainText(m_logText);
}

void FrmMain::showMessage(const QString &text)
{
    showModalMessage(this, text);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (m_busy)
        event->ignore();
    else
        event->accept();
}
