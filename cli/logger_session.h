#pragma once

#include "cli/logger_port.h"
#include "cli/session_setup.h"
#include "files/app_folder.h"
#include "model/screen_model.h"
#include "settings/device_settings.h"
#include "settings/value_checks.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class Link;
class QtSerialLine;
class SessionFrontEnd;
struct SettingsState;

// One logger on one port, reached through the very sequences the window runs: a serial line,
// link, settings state and screen model of its own, and a folder of its own for the script
// files, removed with the session (they hold passwords, and no two loggers may share them).
// Lives in, and is used from, one thread.
class LoggerSession : public QObject
{
    Q_OBJECT

public:
    enum class WriteResult {
        Written,  // every line acknowledged
        Declined, // values look wrong and the write was not forced: nothing was sent
        Failed,   // see failure()
    };

    LoggerSession(const LoggerPort &port, const SessionSetup &setup);
    ~LoggerSession() override;

    const LoggerPort &port() const { return m_port; }
    SettingsState &state() { return *m_state; }
    const SettingsState &state() const { return *m_state; }
    ScreenModel &screen() { return *m_screen; }
    const AppFolder &appFolder() const { return m_appFolder; }

    // A full read onto the state and the screen; false when it failed (see failure()).
    bool read();
    // The settings read, as a settings file holds them.
    DeviceSettings settings() const;

    // Writes what the screen shows. Values that look wrong (findings()) are written only when
    // forced.
    WriteResult write(bool force);
    const QList<ValueFinding> &findings() const { return m_findings; }

    // The lines answered of all the last exchange plays, as last reported: kept when the
    // exchange ends and the screen's progress goes.
    const std::optional<ScreenModel::Progress> &lastProgress() const { return m_lastProgress; }

    // Why the last exchange failed, in the operator's terms.
    const QString &failure() const { return m_failure; }
    // Every exchange so far as the window's log shows it, with times and passwords masked, as
    // the bytes of a log file.
    QByteArray exchangeLog() const;

signals:
    void statusChanged(const QString &text);
    void progressChanged(int done, int total);

private:
    friend class SessionFrontEnd;
    template<typename Sequence>
    bool run(const QString &heading);

    LoggerPort m_port;
    SessionSetup m_setup;
    QTemporaryDir m_scriptFolder;
    AppFolder m_appFolder;
    std::unique_ptr<SettingsState> m_state;
    std::unique_ptr<ScreenModel> m_screen;
    std::unique_ptr<QtSerialLine> m_line;
    std::unique_ptr<Link> m_link;
    std::unique_ptr<SessionFrontEnd> m_frontEnd;
    bool m_force = false;
    QList<ValueFinding> m_findings;
    QString m_failure;
    QStringList m_log;
    std::optional<ScreenModel::Progress> m_lastProgress;
};
