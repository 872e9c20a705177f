#pragma once

#include "exchange/exchange_session.h"
#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "support/current_folder.h"
#include "support/telvaro_names.h"
#include "support/temp_app_folder.h"
#include "support/widgets/window_translations.h"
#include "widgets/frm_main.h"
#include "widgets/window_recording.h"

#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The main window as the program opens it, on a fresh exchange session (of the given kind, for a
// test that stands in for the exchanges), in a current folder of its own (where env.dat lives)
// and with a program folder holding the given installation files. The window opens on open(),
// so a test can lay down env.dat first.
template<typename Session = ExchangeSession>
class WindowFixture
{
public:
    explicit WindowFixture(const QStringList &installFiles = {QStringLiteral("auth.ini")},
                           const QString &portsFolder = {})
        : m_appDir(installFiles)
        , m_session(std::make_unique<Session>(m_appDir.appFolder(), std::make_unique<QtSerialLine>(portsFolder)))
    {
        translateAsTheProgramDoes();
    }

    bool isValid() const { return m_currentFolder.isValid() && m_appDir.isValid() && m_recordFolder.isValid(); }

    // Builds the window, which runs its load steps, and shows it.
    FrmMain &open()
    {
        m_window = std::make_unique<FrmMain>(*m_session);
        // The exchanges of a test are recorded in its own folder, never the user's.
        m_window->recording()->setPath(recordPath());
        m_window->show();
        return *m_window;
    }

    FrmMain &window() { return *m_window; }
    QString recordPath() const { return m_recordFolder.filePath(QStringLiteral("record.sqlite")); }
    const ScreenControls &controls() const { return m_window->controls(); }
    Session &session() { return *m_session; }
    SettingsState &state() { return m_session->state(); }
    ScreenModel &screen() { return m_session->screen(); }
    SerialLine &comPort() { return m_session->line(); }
    const TempAppFolder &appDir() const { return m_appDir; }

    // After a click that started an exchange: true once it has ended, false when it has not
    // within the time limit.
    bool exchangeEnds(int timeoutMs = 20000)
    {
        if (!m_session->isRunning())
            return true;
        QSignalSpy ended(m_session.get(), &ExchangeSession::finished);
        return ended.wait(timeoutMs);
    }

private:
    ScopedCurrentFolder m_currentFolder;
    QTemporaryDir m_recordFolder; // apart from the current folder, whose files the tests watch
    TempAppFolder m_appDir;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<FrmMain> m_window; // goes first, before the session it was built on
};
