#include "widgets/frm_main.h"

#include "exchange/exchange_failure.h"
#include "exchange/exchange_session.h"
#include "files/auth_types.h"
#include "files/env_file.h"
#include "model/screen_model.h"
#include "settings/value_checks.h"
#include "state/settings_state.h"
#include "widgets/frm_set.h"
#include "widgets/log_window.h"
#include "widgets/message_box.h"
#include "widgets/screen_font.h"
#include "widgets/screen_view.h"
#include "widgets/settings_file_menu.h"
#include "widgets/settings_pages.h"
#include "widgets/slot_guard.h"
#include "widgets/tab_control.h"
#include "widgets/tools_menu.h"
#include "widgets/window_recording.h"
#include "widgets/history_window.h"
#include "record/exchange_record.h"
#include "widgets/twips_geometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::exchange;

namespace telvaro::widgets {

Q_LOGGING_CATEGORY(lcFrmMain, "telvaro.window.main")

namespace {

constexpr int kClientWidth = 9675;
constexpr int kStatusBarTop = 6810;
constexpr int kStatusBarHeight = 375;
constexpr int kStatusPanelWidth = 6000;
constexpr int kProgressWidth = 1800;
constexpr int kTabStripHeight = 295;
constexpr int kConnectionPage = 3;

} // namespace

FrmMain::FrmMain(ExchangeSession &session, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_state(session.state())
    , m_screen(session.screen())
    , m_appFolder(session.appFolder())
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("Telvaro Eメールモデル　設定ソフト Ver3.0 SIM対応版  for Amberlyn"));
    setFont(screenFont());

    buildMenu();
    buildClientArea();
    buildStatusBar();
    // Nothing moves or resizes with the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    showScreenOn(m_controls, m_screen, m_state);

    load();
    m_session.setBoxes(this);
    connect(&m_session, &ExchangeSession::finished, this, &FrmMain::endIfWindowLost);
}

FrmMain::~FrmMain()
{
    m_session.setBoxes(nullptr);
}

void FrmMain::buildMenu()
{
    m_controls.mnu_Set = menuBar()->addMenu(QStringLiteral("通信設定(&S)"));
    m_controls.mnu_Set->setObjectName(QStringLiteral("mnu_Set"));
    // The drop-down is a window of its own and does not take the window's font by itself.
    m_controls.mnu_Set->setFont(font());
    // The full-width ampersand of the item is text; only "(&C)" marks an access key.
    QAction *item = m_controls.mnu_Set->addAction(QStringLiteral("COMポート＆通信速度(&C)"));
    item->setObjectName(indexedName(QStringLiteral("mnu_Setitem"), 0));
    connect(item, &QAction::triggered, this, [this] {
        runGuarded("the port dialog", [this] { mnu_Setitem_Click(0); });
    });

    m_fileMenu = new SettingsFileMenu(this, m_state, m_screen, m_session.origins(), m_appFolder);
    m_recording = new WindowRecording(m_session, this);
    m_recording->setPath(record::ExchangeRecord::configuredPath());

    // The log may be watched during an exchange too: this menu is never disabled.
    m_logWindow = std::make_unique<LogWindow>(m_session.wireLog());
    QMenu *view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnu_View"));
    view->setFont(font());
    QAction *showLog = view->addAction(QStringLiteral("通信ログ(&L)"));
    showLog->setObjectName(QStringLiteral("mnu_ViewLog"));
    connect(showLog, &QAction::triggered, m_logWindow.get(), [this] { m_logWindow->showBeside(this); });

    m_toolsMenu = new ToolsMenu(this, m_screen.commands().mnu_Set(), [this] { return m_portChoice.PortIndex + 1; });
    QMenu *tools = m_toolsMenu->menu();
    QAction *find = tools->addAction(QStringLiteral("ロガーを探す(&F)..."));
    find->setObjectName(QStringLiteral("mnu_ToolsFindLogger"));
    // The search would take the port from under a running exchange.
    connect(tools, &QMenu::aboutToShow, find, [this, find] { find->setEnabled(!isBusy()); });
    connect(find, &QAction::triggered, this, [this] { runGuarded("the logger search", [this] { findLogger(); }); });

    buildHistoryMenu();
}

void FrmMain::buildHistoryMenu()
{
    HistoryWindow::Hooks hooks;
    hooks.recordPath = [this] { return m_recording->path(); };
    hooks.loggerLastRead = [this] {
        const auto &logger = m_session.origins().logger();
        return logger ? record::ExchangeEntry::identityOf(*logger) : QString();
    };
    hooks.openOnScreen = [this](const settings::DeviceSettings &image, const QString &name) {
        runGuarded("a recorded image", [&] { m_fileMenu->openSettings(image, name); });
    };
    m_historyWindow = std::make_unique<HistoryWindow>(m_state, std::move(hooks));
    connect(m_recording, &WindowRecording::added, m_historyWindow.get(), [this] {
        if (m_historyWindow->isVisible())
            m_historyWindow->refresh();
    });

    QMenu *history = menuBar()->addMenu(QStringLiteral("履歴(&H)"));
    history->setObjectName(QStringLiteral("mnu_History"));
    history->setFont(font());
    QAction *exchanges = history->addAction(QStringLiteral("通信履歴(&H)..."));
    exchanges->setObjectName(QStringLiteral("mnu_HistoryExchanges"));
    connect(exchanges, &QAction::triggered, m_historyWindow.get(), [this] {
        m_historyWindow->show();
        m_historyWindow->raise();
        m_historyWindow->activateWindow();
    });
    // Never during an exchange: the record is being added to, and the screen is the exchange's.
    const Control &settingsMenu = m_screen.commands().mnu_Set();
    const auto follow = [this, history, &settingsMenu] {
        history->menuAction()->setEnabled(settingsMenu.isEnabled());
        m_historyWindow->setExchangeRunning(!settingsMenu.isEnabled());
    };
    follow();
    connect(&settingsMenu, &Control::changed, history, follow);
}

QMenu *FrmMain::toolsMenu() const
{
    return m_toolsMenu->menu();
}

void FrmMain::findLogger()
{
    if (isBusy())
        return;
    LoggerSearchDialog dialog(m_searchSetup, m_portChoice, this);
    dialog.exec();
    if (dialog.chosen())
        m_portChoice = *dialog.chosen();
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
    // The save button is not in use: never shown.
    m_controls.Command1[CommandControls::Save]->hide();

    // The exchange log is kept for the developer, never shown to the operator.
    m_controls.rtxt_Box = placed(new QPlainTextEdit(client), QStringLiteral("rtxt_Box"), twipsRect(8040, 4440, 1455, 2175));
    m_controls.rtxt_Box->hide();
}

void FrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sts_Main"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(twipsToPixels(kStatusBarHeight));
    auto *panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("sts_Main.Panels(1)"));
    panel->setFixedWidth(twipsToPixels(kStatusPanelWidth));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(panel);
    m_controls.statusPanel = panel;

    // Beside the panel, while an exchange runs: the script lines done of all it has to do.
    auto *progress = new QProgressBar(bar);
    progress->setObjectName(QStringLiteral("ExchangeProgress"));
    progress->setFormat(QStringLiteral("%v / %m 行"));
    progress->setFixedWidth(twipsToPixels(kProgressWidth));
    bar->addWidget(progress);

    // The settings file last opened or saved: the window's caption is the specified one.
    auto *fileLabel = new QLabel(bar);
    fileLabel->setObjectName(QStringLiteral("SettingsFileLabel"));
    bar->addWidget(fileLabel, 1);
    connect(m_fileMenu, &SettingsFileMenu::fileUsed, fileLabel, [fileLabel](const QString &path) {
        const QString name = QFileInfo(path).fileName();
        fileLabel->setText(fileLabel->fontMetrics().elidedText(name, Qt::ElideMiddle, fileLabel->width()));
        fileLabel->setToolTip(QDir::toNativeSeparators(path));
    });
    // Said once, where it stays in sight without stopping the operator's work.
    connect(m_recording, &WindowRecording::failed, fileLabel, [fileLabel](const QString &why) {
        fileLabel->setText(QStringLiteral("通信の記録を書けません"));
        fileLabel->setToolTip(why);
    });
    // Hidden until the first exchange; then it keeps the last count of the exchange that ended
    // (all lines of a write that succeeded), until the next one starts.
    progress->setVisible(false);
    const auto showProgress = [this, progress] {
        const std::optional<ScreenModel::Progress> &shown = m_screen.progress();
        if (!shown)
            return;
        progress->setVisible(true);
        progress->setMaximum(shown->total);
        progress->setValue(shown->done);
    };
    connect(&m_screen, &ScreenModel::progressChanged, progress, showProgress);
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
    case CommandControls::Read:
        // Starts the read and returns; the session gives the screen back when it ends.
        m_recording->begin(record::ExchangeEntry::Kind::Read, m_portChoice.PortIndex + 1);
        m_session.startRead(m_portChoice);
        break;
    case CommandControls::Write:
        m_recording->begin(record::ExchangeEntry::Kind::Write, m_portChoice.PortIndex + 1);
        m_session.startWrite(m_portChoice);
        break;
    case CommandControls::Exit:
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

void FrmMain::showMessage(const QString &text)
{
    showBox(text, QString());
}

void FrmMain::showFailure(const QString &text, const ExchangeFailure &failure)
{
    showBox(text, describe(failure));
}

void FrmMain::showBox(const QString &text, const QString &details)
{
    if (m_windowLost) {
        qCInfo(lcFrmMain).noquote() << "no window to show the message in:" << text << details;
        return;
    }
    showModalMessage(this, text, details);
}

bool FrmMain::writeDespite(const QList<ValueFinding> &findings)
{
    if (m_windowLost)
        return false; // nobody to answer: nothing doubtful is written
    QStringList lines;
    bool onlyWrongValues = true;
    for (const ValueFinding &finding : findings) {
        lines.append(describe(finding));
        onlyWrongValues = onlyWrongValues && isWrongValue(finding);
    }
    const QString question = onlyWrongValues ? QStringLiteral("次の値は正しくないようです。このまま書き込みますか？")
                                             : QStringLiteral("次の項目は、書き込むと指示なしに変わるか、値が正しくないようです。"
                                                              "このまま書き込みますか？");
    return askModalQuestion(this, question, lines.join(u'\n'));
}

bool FrmMain::isBusy() const
{
    return m_session.isRunning();
}

void FrmMain::loseWindow()
{
    qCWarning(lcFrmMain) << "the window was destroyed from outside; the program ends"
                         << (isBusy() ? "when the exchange has ended" : "now");
    m_windowLost = true;
    if (!isBusy())
        endIfWindowLost();
}

void FrmMain::endIfWindowLost()
{
    if (m_windowLost)
        QCoreApplication::quit();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (isBusy())
        event->ignore();
    else
        event->accept();
}

} // namespace telvaro::widgets
