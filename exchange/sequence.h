#pragma once

#include "base/port_choice.h"
#include "base/timings.h"
#include "exchange/exchange_failure.h"
#include "exchange/exchange_result.h"
#include "exchange/script_block.h"
#include "exchange/script_reader.h"
#include "exchange/stop_request.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <span>

namespace telvaro::files {
class AppFolder;
} // namespace telvaro::files

namespace telvaro::link {
class Link;
} // namespace telvaro::link

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::exchange {

class ModalBoxes;

// What a read or a write works on: the settings state, the port, the program's folder, the
// screen model, the front end's modal boxes, and the timings of the exchange.
struct SequenceContext
{
    state::SettingsState &state;
    link::Link &link;
    const files::AppFolder &appFolder;
    model::ScreenModel &screen;
    ModalBoxes &boxes;
    base::ExchangeTimings timings = {};
};

// A read or a write: a numbered state machine that performs one step per pass. A step that
// awaits an answer or a pause hands the rest of its work to the link, which calls it back from
// the event loop; nothing here waits in a loop of its own. The handshake and the script blocks
// are alike in both sequences and run here; each sequence adds the states of its own.
class Sequence
{
public:
    // The handshake states, numbered alike in both sequences.
    enum HandshakeState : qint16 {
        OpenPort = 0,
        AwaitWakeUp = 1,
        AnswerWakeUp = 2,
        AwaitReady = 3,
        SendCommandModeOn = 4,
        AwaitCommandModeOn = 5,
    };
    static constexpr qint16 Failed = 99;
    // Where a sequence asked to stop ends: "CAOFF" when command mode is on, then the end.
    static constexpr qint16 SendStopCommandModeOff = 96;
    static constexpr qint16 AwaitStopCommandModeOff = 97;
    static constexpr qint16 Interrupted = 98;

    using EndHandler = std::function<void(const ExchangeResult &)>;

    Sequence(const Sequence &) = delete;
    Sequence &operator=(const Sequence &) = delete;
    // A sequence still running is cut short: its script closed, the port released, no end told.
    virtual ~Sequence();

    // Starts the sequence and returns once it awaits the line or a pause, or has ended; ended is
    // called once, when it has ended, with how. No error leaves it: any error, foreseen or not,
    // closes the script and releases the port, and the sequence ends failed; the status text
    // keeps its last value.
    void start(const base::PortChoice &choice, EndHandler ended);
    bool isRunning() const { return m_running; }

    // Takes effect once the wait or pause in flight is over (the line in flight is answered or
    // times out); the sequence then ends Interrupted, with "CAOFF" sent first when command mode
    // is on. A failure or the sequence's own end that comes first wins.
    void requestStop(StopRequest how);
    // A write that has sent its first line: a graceful stop lets it finish.
    bool writeBegun() const { return m_shape.changesLogger && m_lineSent; }

protected:
    // The state a step leads to at once; nothing while the link works on, or once it has ended.
    using Next = std::optional<qint16>;
    using Continuation = std::function<Next()>;

    // What tells one sequence from the other besides its own states.
    struct Shape
    {
        std::span<const ScriptBlock> blocks;        // played in this order
        ScriptBlock::Timing handshakeRetryPause;    // before the handshake is tried again
        qint16 afterCommandMode;                    // where the sequence goes on after "CAON"
        qint16 endState;                            // its last state on success
        bool changesLogger = false;                 // a write: what the logger took is kept
    };

    Sequence(const SequenceContext &context, const Shape &shape);

    // Checks and files needed before anything is opened. Nothing lets the sequence go on; an
    // outcome ends it there, once the sequence has told the operator (see endFailed).
    virtual std::optional<ExchangeResult::Outcome> prepare() { return std::nullopt; }
    // One step of a state that the sequence itself defines.
    virtual Next ownStep() = 0;
    // After a failure of any kind: the script is closed, the port released; tells the operator
    // and gives the screen back.
    virtual void endFailed() = 0;
    // After a stop asked for: the script is closed, the port released; gives the screen back.
    // Nobody is told: whoever asked knows.
    virtual void endInterrupted() = 0;

    // Status text "レスポンスタイムアウト", the last wait noted as the failure; the failure state
    // comes next.
    Next fail();
    // What happened, once the sequence has failed: the facts gathered as it ran.
    ExchangeFailure failure() const;
    void noteFailure(ExchangeFailure::Cause cause, const QString &file = {}, const QString &field = {});
    // The one rule of the run's retry counter: a step may retry while the counter is below the
    // step's limit, and each retry counts.
    bool mayRetry(qint16 limit);

    enum class Echo { Yes, No };
    // Sends the command followed by a line end (pending input discarded first).
    void sendCommand(const QString &command, Echo echo = Echo::Yes);
    // Awaits the expected text; then is told whether it arrived within the time-out (LastReply
    // holds what came) and gives the next state.
    Next await(const QString &expected, base::ExchangeTimings::Duration timeout, std::function<Next(bool received)> then);
    // Pauses; then gives the next state.
    Next pauseThen(base::ExchangeTimings::Duration duration, Continuation then);
    const QString &lastReply() const;
    // Appends LastReply to the exchange log.
    void echoReply();
    // An empty text leaves the status as it is.
    void setStatusText(QStringView text);

    // Closes the open script and releases the port, whichever is open; the exchange is over.
    void releaseEverything();

    const base::ExchangeTimings &timings() const { return m_context.timings; }

    SequenceContext m_context;
    qint16 m_SeqState = 0;
    QList<settings::ValueFinding> m_findings;

private:
    // Runs work, then the steps it leads to, until one awaits the link or the sequence ends.
    // The one place errors are caught: every entry (the start, each call back) comes through it.
    void proceed(const Continuation &work);
    void endAfterError(const QString &what);
    void finish(ExchangeResult::Outcome outcome);
    Next begin();
    Next step();
    // Whether a stop asked for applies before the sequence goes to state next.
    bool stopsBefore(qint16 next) const;
    Next stopStep();
    Next handshakeStep();

    // The player of the script blocks: the step of the current state when it belongs to a block.
    std::optional<Next> blockStep();
    Next sendNextLine(const ScriptBlock &block);
    Next awaitAnswer(const ScriptBlock &block);
    Next passOn(const ScriptBlock &done, const ScriptBlock &next);
    // False, the failure noted, when the block's file cannot be opened.
    bool openScript(const ScriptBlock &block);
    // Ends the sequence at once on a failure noted before.
    Next abort();
    QString pathOf(const ScriptBlock &block) const;
    // Keeps the answer's text and the bytes it came in, line ends removed.
    void storeAnswer(AnswerTable table, const QString &answer, const QByteArray &bytes);
    // Sends a line of the script in its own bytes, and logs its text.
    void sendScriptLine(const ScriptReader::Line &line);
    void echo(const QString &text);
    // The lines of every block, before the first is played: the progress is lines answered of those.
    void startProgress();

    Shape m_shape;
    base::PortChoice m_choice;
    EndHandler m_ended;
    bool m_running = false;
    ScriptReader m_script;
    // The answers stored so far of the block being played.
    qint16 m_lineCounter = 0;
    // Counts every retry of the handshake, of "CAON" and of "EERM0" in one run.
    qint16 m_retryCounter = 0;

    std::optional<StopRequest> m_stop;
    bool m_commandModeOn = false; // "CAON" answered
    bool m_lineSent = false;      // a line of a script went out
    bool m_closing = false;       // every line played: nothing left to stop

    // The facts of a failure, gathered as the sequence runs.
    QList<ExchangeFailure::Block> m_blocks; // lines answered of each block
    bool m_portOpened = false;
    QString m_lastCommand;                  // what went out last
    // Unanswered waits since the last answer to the same command and awaited text; a retry
    // repeats both.
    using Wait = std::pair<QString, QString>;
    QHash<Wait, int> m_unansweredWaits;
    Wait m_lastUnansweredWait;
    base::ExchangeTimings::Duration m_lastUnansweredTimeout{};
    ExchangeFailure m_failure;
};

} // namespace telvaro::exchange
