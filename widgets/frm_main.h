#pragma once

#include "base/port_choice.h"
#include "exchange/modal_boxes.h"
#include "widgets/logger_search_dialog.h"
#include "widgets/screen_controls.h"

#include <QMainWindow>

#include <memory>

namespace telvaro::files {
class AppFolder;
} // namespace telvaro::files

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::exchange {
class ExchangeSession;
} // namespace telvaro::exchange

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {
struct ValueFinding;
} // namespace telvaro::settings

namespace telvaro::widgets {

class LogWindow;
class SettingsFileMenu;
class ToolsMenu;
class WindowRecording;
class HistoryWindow;

// The main window: a view of the screen model, with the command buttons that start a read or
// a write or end the program, the menu that opens the port dialog, the status bar and the
// hidden exchange log. The modal boxes of its exchanges are its own.
class FrmMain : public QMainWindow, public exchange::ModalBoxes
{
    Q_OBJECT

public:
    // Builds the window on the session's screen model and runs the load steps: the stored port
    // and speed, the authentication types. The session, whose exchanges the window starts and
    // whose boxes it shows, must outlive the window.
    explicit FrmMain(exchange::ExchangeSession &session, QWidget *parent = nullptr);
    ~FrmMain() override;

    const ScreenControls &controls() const { return m_controls; }

    // The menu of settings files, before the settings menu.
    SettingsFileMenu *fileMenu() const { return m_fileMenu; }
    // The window "通信ログ", hidden until the operator shows it from the menu "表示(&V)".
    LogWindow *logWindow() const { return m_logWindow.get(); }
    // Adds every exchange to the record of exchanges (see setPath), TELVARO_RECORD's or the user's.
    WindowRecording *recording() const { return m_recording; }
    // "通信履歴": the exchanges recorded.
    HistoryWindow *historyWindow() const { return m_historyWindow.get(); }
    // The menu "ツール(&T)", after "表示(&V)": the tools beside the settings, such as the serial
    // port assignment. Disabled while an exchange runs, as the settings menu is.
    QMenu *toolsMenu() const;

    // The port and speed the next exchange opens the port with.
    const base::PortChoice &portChoice() const { return m_portChoice; }

    // Where "ロガーを探す" looks and maps COM names: the program's own unless a test says otherwise.
    void setLoggerSearchSetup(const LoggerSearchDialog::Setup &setup) { m_searchSetup = setup; }

    // The click handlers of the command buttons (0 read, 1 write, 2 nothing, 3 exit) and
    // of the settings menu's items (0 opens the port dialog).
    void Command1_Click(qint16 index);
    void mnu_Setitem_Click(qint16 index);

    // Modal; returns when the operator has closed it.
    void showMessage(const QString &text) override;
    // Modal: the message, and behind the box's details button what happened.
    void showFailure(const QString &text, const exchange::ExchangeFailure &failure) override;
    // Modal: lists what the write plan found and asks whether to write it all the same, no
    // being the default answer.
    bool writeDespite(const QList<settings::ValueFinding> &findings) override;

    // While an exchange runs, closing the window is refused: it cannot be stopped from outside.
    bool isBusy() const;

    // The window was destroyed from outside, not closed (on X11 another program may do that):
    // with nothing left to show, the program ends, at once or as soon as a running exchange has
    // ended and released the port. Its messages go to the log meanwhile.
    void loseWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void findLogger();
    void buildClientArea();
    void buildStatusBar();
    void load();
    void buildHistoryMenu();
    void showBox(const QString &text, const QString &details);
    void endIfWindowLost();

    exchange::ExchangeSession &m_session;
    state::SettingsState &m_state;
    model::ScreenModel &m_screen;
    const files::AppFolder &m_appFolder;
    ScreenControls m_controls;
    SettingsFileMenu *m_fileMenu = nullptr;
    ToolsMenu *m_toolsMenu = nullptr;
    WindowRecording *m_recording = nullptr;
    std::unique_ptr<HistoryWindow> m_historyWindow;
    std::unique_ptr<LogWindow> m_logWindow;
    base::PortChoice m_portChoice;
    LoggerSearchDialog::Setup m_searchSetup;
    bool m_windowLost = false;
};

} // namespace telvaro::widgets
