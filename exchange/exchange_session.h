#pragma once

#include "base/port_choice.h"
#include "base/timings.h"
#include "exchange/exchange_result.h"
#include "exchange/modal_boxes.h"
#include "exchange/wire_log.h"
#include "exchange/stop_request.h"
#include "files/app_folder.h"
#include "link/link.h"
#include "model/screen_model.h"
#include "plan/write_plan.h"
#include "screen_files/screen_origins.h"
#include "state/settings_state.h"

#include <QObject>

#include <memory>
#include <optional>

namespace telvaro::link {
class SerialLine;
} // namespace telvaro::link

namespace telvaro::exchange {

class Sequence;

// Everything an exchange with one logger needs, owned in one place: the settings state, the
// screen model and where its values came from, the serial line and the link over it, the
// program's folder and the timings.
// The window and the command line each have one per logger; neither assembles the parts itself.
// A read or a write is started and runs on the signals of the line and its timers; the session
// tells its end, with how it went, through finished(). One exchange runs at a time.
class ExchangeSession : public QObject
{
    Q_OBJECT

public:
    // line is the port every exchange goes through.
    ExchangeSession(const files::AppFolder &appFolder, std::unique_ptr<link::SerialLine> line, QObject *parent = nullptr);
    // An exchange still running is cut short: its script closed, the port released.
    ~ExchangeSession() override;

    state::SettingsState &state() { return m_state; }
    const state::SettingsState &state() const { return m_state; }
    model::ScreenModel &screen() { return m_screen; }
    const model::ScreenModel &screen() const { return m_screen; }
    // Kept by the exchanges: a read notes what the logger holds, a write what it set.
    screen_files::ScreenOrigins &origins() { return m_origins; }
    const screen_files::ScreenOrigins &origins() const { return m_origins; }
    const files::AppFolder &appFolder() const { return m_appFolder; }
    link::SerialLine &line() { return *m_line; }
    link::Link &link() { return m_link; }
    // Every line of the last exchange, sent and received.
    const WireLog &wireLog() const { return m_wireLog; }

    // The time-outs, pauses and retries of the next exchange; the protocol's own unless set.
    void setTimings(const base::ExchangeTimings &timings) { m_timings = timings; }
    // What the exchanges put to the operator; without boxes, nothing is shown and values that
    // look wrong or changes nobody asked for are not written. The boxes must outlive the
    // session or be unset.
    void setBoxes(ModalBoxes *boxes);

    bool isRunning() const { return m_running; }

    // As the read button does: the commands disabled, the status emptied, the access point flag
    // cleared (the read decides it afresh), the screen locked; then the read starts. Returns
    // while the read awaits the logger; finished() tells its end.
    void startRead(const base::PortChoice &choice);
    // The same for a write, which keeps the access point flag; it sends what the write plan of
    // the screen says (lastPlan()).
    void startWrite(const base::PortChoice &choice);
    // The plan of the last write begun.
    const std::optional<plan::WritePlan> &lastPlan() const { return m_plan; }

    // What the running exchange makes of a stop asked for.
    enum class StopResponse {
        NothingRuns,   // no exchange to stop
        Stops,         // it ends Interrupted after the line in flight
        FinishesWrite, // a write begun goes on to its end
    };
    // Asks the running exchange to stop (see StopRequest); it ends through finished() as ever,
    // Interrupted unless it failed or ended first. The command line's way to be interrupted; the
    // window never asks.
    StopResponse requestStop(StopRequest how);

    // How the last exchange ended, as soon as it has (finished() comes on the next pass of the
    // event loop); nothing before the first has.
    const std::optional<ExchangeResult> &lastResult() const { return m_lastResult; }

signals:
    void finished(const ExchangeResult &result);

protected:
    enum class Kind { Read, Write };
    // The exchange itself, entered with the screen locked; it ends with end(). A test may stand
    // in for it.
    virtual void begin(Kind kind, const base::PortChoice &choice);
    void end(const ExchangeResult &result);

private:
    void start(Kind kind, const base::PortChoice &choice);
    void endAfterError(Kind kind, const QString &what);

    files::AppFolder m_appFolder;
    state::SettingsState m_state;
    model::ScreenModel m_screen;
    screen_files::ScreenOrigins m_origins;
    std::unique_ptr<link::SerialLine> m_line;
    link::Link m_link;
    WireLog m_wireLog{m_link};
    base::ExchangeTimings m_timings;
    ModalBoxes *m_boxes = nullptr;
    bool m_running = false;
    Kind m_kind = Kind::Read;
    std::optional<ExchangeResult> m_lastResult;
    std::optional<plan::WritePlan> m_plan;
    // The last sequence, kept until the next starts: it may still be on the stack when it ends.
    // Goes first, before what it works on.
    std::unique_ptr<Sequence> m_sequence;
};

} // namespace telvaro::exchange
