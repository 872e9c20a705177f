#pragma once

#include "cli/logger_port.h"
#include "cli/session_setup.h"
#include "exchange/exchange_result.h"
#include "exchange/exchange_session.h"
#include "exchange/modal_boxes.h"
#include "exchange/stop_request.h"
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

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::cli {

// One logger on one port, reached through an exchange session of its own, as the window reaches
// its logger, with a folder of its own for the script files, removed with the session (they hold
// passwords, and no two loggers may share them). Lives in, and is used from, one thread; each
// exchange runs that thread's event loop until it has ended.
class LoggerSession : public QObject, private exchange::ModalBoxes
{
    Q_OBJECT

public:
    enum class WriteResult {
        Written,  // every line acknowledged
        Declined, // the write plan found something and the write was not forced: nothing was sent
        Failed,   // see failure()
        Interrupted, // a stop asked for ended it, or kept it from starting
    };

    LoggerSession(const LoggerPort &port, const SessionSetup &setup);
    ~LoggerSession() override;

    const LoggerPort &port() const { return m_port; }
    state::SettingsState &state() { return m_session.state(); }
    const state::SettingsState &state() const { return m_session.state(); }
    model::ScreenModel &screen() { return m_session.screen(); }
    screen_files::ScreenOrigins &origins() { return m_session.origins(); }
    const files::AppFolder &appFolder() const { return m_session.appFolder(); }

    // A full read onto the state and the screen; false when it failed (see failure()) or was
    // stopped (interrupted()).
    bool read();
    // The settings read, as a settings file holds them.
    settings::DeviceSettings settings() const;

    // Writes what the screen shows, as its write plan says. The plan's findings (values that
    // look wrong, changes nobody asked for) are written only when forced.
    WriteResult write(bool force);
    const QList<settings::ValueFinding> &findings() const { return m_findings; }
    // The plan of the last write begun.
    const std::optional<plan::WritePlan> &lastPlan() const { return m_session.lastPlan(); }

    // The lines answered of all the last exchange plays, as last reported: kept when the
    // exchange ends and the screen's progress goes.
    const std::optional<model::ScreenModel::Progress> &lastProgress() const { return m_lastProgress; }

    // Why the last exchange failed, in the operator's terms.
    const QString &failure() const { return m_failure; }
    // Every script of the last exchange that failed or was stopped, with the lines the logger
    // answered of it; empty when the port never opened.
    const QList<exchange::ExchangeFailure::Block> &lastBlocks() const { return m_lastBlocks; }

    // Asks the running exchange to stop, as exchange::StopRequest says, and keeps any other
    // from starting; a second request may make it at once. Called on the session's thread.
    void stop(exchange::StopRequest how);
    bool stopRequested() const { return m_stop.has_value(); }
    // The last exchange was stopped, or not started because of a stop.
    bool interrupted() const { return m_interrupted; }
    // Every line of every exchange so far, sent and received, as the window's log shows it, with
    // times and passwords masked, as the bytes of a log file.
    QByteArray exchangeLog() const;

    // Something the operator should know of this logger, said as soon as it is known: before
    // the write where it concerns the write.
    void note(const QString &text) { emit noted(text); }

signals:
    void noted(const QString &text);
    void statusChanged(const QString &text);
    // What a stop asked for does here: "stopping", "finishing the write".
    void stopping(const QString &text);
    void progressChanged(int done, int total);

private:
    // Runs the exchange that start begins until it has ended.
    exchange::ExchangeResult run(const QString &heading, void (exchange::ExchangeSession::*start)(const base::PortChoice &));

    // What the exchanges put to an operator, answered without one: the messages are the
    // window's, and what the write plan finds goes out only when the write is forced.
    void showMessage(const QString &) override {}
    void showFailure(const QString &, const exchange::ExchangeFailure &) override {}
    // The findings are noted as they come, before anything is sent.
    bool writeDespite(const QList<settings::ValueFinding> &findings) override;

    LoggerPort m_port;
    SessionSetup m_setup;
    QTemporaryDir m_scriptFolder;
    exchange::ExchangeSession m_session;
    bool m_force = false;
    QList<settings::ValueFinding> m_findings;
    QString m_failure;
    QStringList m_log;
    std::optional<model::ScreenModel::Progress> m_lastProgress;
    QList<exchange::ExchangeFailure::Block> m_lastBlocks;
    std::optional<exchange::StopRequest> m_stop;
    bool m_interrupted = false;
};

} // namespace telvaro::cli
