#pragma once

#include "base/port_choice.h"
#include "widgets/screen_controls.h"

#include <QMainWindow>

#include <memory>

class AppFolder;
class Link;
class SerialLine;
class WindowSequenceScreen;
class QLabel;
class QPlainTextEdit;
struct SettingsState;

// The main window: the settings screen, the command buttons that start a read or a write
// or end the program, the menu that opens the port dialog, the status bar and the hidden
// exchange log.
class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the screen and runs the load steps: the stored port and speed, the
    // authentication types. comPort is the serial port every exchange goes through.
    FrmMain(SettingsState &state, const AppFolder &appFolder, SerialLine &comPort, QWidget *parent = nullptr);
    ~FrmMain() override;

    const ScreenControls &controls() const { return m_controls; }

    // The port and speed the next exchange opens the port with.
    const PortChoice &portChoice() const { return m_portChoice; }

    // The click handlers of the command buttons (0 read, 1 write, 2 nothing, 3 exit) and
    // of the settings menu's items (0 opens the port dialog).
    void Command1_Click(qint16 index);
    void mnu_Setitem_Click(qint16 index);

    // What an exchange reports on the screen.
    void setStatusText(const QString &text); // panel 1 of the status bar
    void clearLog();
    void appendLog(const QString &text);
    const QString &logText() const { return m_logText; } // every character appended, line ends included
    void showMessage(const QString &text); // modal; returns when the operator has closed it

    // While busy, closing the window is refused: an exchange cannot be stopped from outside.
    void setBusy(bool busy) { m_busy = busy; }
    bool isBusy() const { return m_busy; }

protected:
    void closeEvent(QCloseEvent *event) override;

    // The exchanges behind the read and write buttons, entered with the screen locked.
    virtual void runReadSequence();
    virtual void runWriteSequence();

private:
    void buildMenu();
    void buildClientArea();
    void buildStatusBar();
    void load();
    void disableCommands();
    void startRead();
    void startWrite();

    SettingsState &m_state;
    const AppFolder &m_appFolder;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<WindowSequenceScreen> m_sequenceScreen;
    ScreenControls m_controls;
    PortChoice m_portChoice;
    QLabel *m_statusPanel = nullptr;
    QPlainTextEdit *m_rtxtBox = nullptr;
    QString m_logText;
    bool m_busy = false;
};
