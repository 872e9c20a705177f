#pragma once

#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "support/current_folder.h"
#include "support/temp_app_folder.h"
#include "support/widgets/window_translations.h"
#include "widgets/frm_main.h"

#include <QStringList>

#include <memory>

// The main window as the program opens it, on a fresh settings state and screen model, in a
// current folder of its own (where env.dat lives) and with a program folder holding the given
// installation files. The window opens on open(), so a test can lay down env.dat first.
template<typename Window = FrmMain>
class WindowFixture
{
public:
    explicit WindowFixture(const QStringList &installFiles = {QStringLiteral("auth.ini")},
                           const QString &portsFolder = {})
        : m_appDir(installFiles)
        , m_appFolder(m_appDir.appFolder())
        , m_comPort(portsFolder)
    {
        translateAsTheProgramDoes();
    }

    bool isValid() const { return m_currentFolder.isValid() && m_appDir.isValid(); }

    // Builds the window, which runs its load steps, and shows it.
    Window &open()
    {
        m_window = std::make_unique<Window>(m_state, m_screen, m_appFolder, m_comPort);
        m_window->show();
        return *m_window;
    }

    Window &window() { return *m_window; }
    const ScreenControls &controls() const { return m_window->controls(); }
    SettingsState &state() { return m_state; }
    ScreenModel &screen() { return m_screen; }
    QtSerialLine &comPort() { return m_comPort; }
    const TempAppFolder &appDir() const { return m_appDir; }

private:
    ScopedCurrentFolder m_currentFolder;
    TempAppFolder m_appDir;
    AppFolder m_appFolder;
    QtSerialLine m_comPort;
    SettingsState m_state;
    ScreenModel m_screen;
    std::unique_ptr<Window> m_window; // goes first, before what it was built on
};
