#include "widgets/tools_menu.h"

#include "model/controls.h"
#include "widgets/port_assignment_dialog.h"
#include "widgets/slot_guard.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using namespace telvaro::model;

namespace telvaro::widgets {

ToolsMenu::ToolsMenu(QMainWindow *window, const Control &settingsMenu, std::function<int()> comNumber)
    : QObject(window), m_window(window), m_comNumber(std::move(comNumber))
{
    m_menu = window->menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    m_menu->setObjectName(QStringLiteral("mnu_Tools"));
    // The drop-down is a window of its own and does not take the window's font by itself.
    m_menu->setFont(window->font());
    QAction *assign = m_menu->addAction(QStringLiteral("シリアルポートの割り当て(&P)..."));
    assign->setObjectName(QStringLiteral("mnu_ToolsPorts"));
    connect(assign, &QAction::triggered, this, [this] { runGuarded("the port assignment", [this] { assignPorts(); }); });

    // Never during an exchange: a COM name must not move under a port that is open.
    const auto follow = [this, &settingsMenu] { m_menu->menuAction()->setEnabled(settingsMenu.isEnabled()); };
    follow();
    connect(&settingsMenu, &Control::changed, m_menu, follow);
}

void ToolsMenu::assignPorts()
{
    PortAssignmentDialog::showModal(m_comNumber(), m_window);
}

} // namespace telvaro::widgets
