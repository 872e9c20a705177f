#pragma once

#include <QObject>

#include <functional>

class QMainWindow;
class QMenu;

namespace telvaro::model {
class Control;
} // namespace telvaro::model

namespace telvaro::widgets {

// The menu "ツール(&T)" of the main window: the serial ports of this machine. Like the menu of
// settings files, it follows the settings menu, so it is never usable while an exchange runs.
class ToolsMenu : public QObject
{
    Q_OBJECT

public:
    // Puts the menu at the end of the window's menu bar. comNumber tells the port dialog's
    // choice (1 for COM1) when the port assignment opens.
    ToolsMenu(QMainWindow *window, const model::Control &settingsMenu, std::function<int()> comNumber);

    QMenu *menu() const { return m_menu; }

    void assignPorts();

private:
    QMainWindow *m_window = nullptr;
    QMenu *m_menu = nullptr;
    std::function<int()> m_comNumber;
};

} // namespace telvaro::widgets
