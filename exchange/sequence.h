#pragma once

#include "base/port_choice.h"
#include "base/timings.h"
#include "exchange/exchange_failure.h"
#include "exchange/script_block.h"
#include "exchange/script_reader.h"

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <exception>
#include <optional>
#include <span>

class AppFolder;
class Link;
class ModalBoxes;
class ScreenModel;
struct SettingsState;

// What a read or a write works on: the settings state, the port, the program's folder, the
// screen model, the front end's modal boxes, and the timings of the exchange.
struct SequenceContext
{
    SettingsState &state;
    Link &link;
    const AppFolder &appFolder;
    ScreenModel &screen;
    ModalBoxes &boxes;
    ExchangeTimings timings = {};
};

// A read or a write: a numbered state machine that performs one step per pass. The handshake
// and the script blocks are alike in both and run here; each sequence adds the states of its own.
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

    virtual ~Sequence() = default;

    qint16 SeqState() const { return m_SeqState; }
    const QString &ScriptPath() const { return m_script.path(); }

protected:
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

    // Prepares, opens the first block's script, empties the exchange log, and runs one step per
    // pass until the end state or the failure state has run. No error leaves it: any error,
    // foreseen or not, closes the script and releases the port before takeErrorPath runs; the
    // status text keeps its last value.
    void run(const PortChoice &choice);

    // Checks and files needed before anything is opened; throws to end the sequence through its
    // error path. False ends it quietly: the operator chose not to go on.
    virtual bool prepare() { return true; }
    // One step of a state that the sequence itself defines; returns the next state.
    virtual qint16 ownStep() = 0;
    // After a missing answer (state 99) or an error: the script is closed, the port released.
    virtual void endFailed() = 0;
    virtual void takeErrorPath(const std::exception &error) = 0;

    // Status text "レスポンスタイムアウト", the last wait noted as the failure; the failure state
    // comes next.
    qint16 fail();
    // What happened, once the sequence has failed: the facts gathered as it ran. The error path
    // may name a cause of its own.
    ExchangeFailure failure() const;
    void noteFailure(ExchangeFailure::Cause cause, const QString &file = {}, const QString &field = {});
    // The one rule of the run's retry counter: a step may retry while the counter is below the
    // step's limit, and each retry counts.
    bool mayRetry(qint16 limit);

    enum class Echo { Yes, No };
    // Sends the command followed by a line end (pending input discarded first).
    void sendCommand(const QString &command, Echo echo = Echo::Yes);
    // True when the expected text arrived within the time-out; LastReply holds what came.
    bool await(const QString &expected, ExchangeTimings::Duration timeout);
    const QString &lastReply() const;
    // Appends LastReply to the exchange log.
    void echoReply();
    // An empty text leaves the status as it is.
    void setStatusText(QStringView text);
    void pause(ExchangeTimings::Duration duration);

    // Closes the open script and releases the port, whichever is open; the exchange is over.
    void releaseEverything();

    const ExchangeTimings &timings() const { return m_context.timings; }

    SequenceContext m_context;
    qint16 m_SeqState = 0;

private:
    void runStates(const PortChoice &choice);
    void endAfterError(const std::exception &error);
    qint16 step(const PortChoice &choice);
    qint16 handshakeStep(const PortChoice &choice);

    // The player of the script blocks: the step of the current state when it belongs to a block.
    std::optional<qint16> blockStep();
    qint16 sendNextLine(const ScriptBlock &block);
    qint16 awaitAnswer(const ScriptBlock &block);
    qint16 passOn(const ScriptBlock &done, const ScriptBlock &next);
    void openScript(const ScriptBlock &block);
    QString pathOf(const ScriptBlock &block) const;
    void storeAnswer(AnswerTable table, const QString &answer);
    void echo(const QString &text);
    // The lines of every block, before the first is played: the progress is lines answered of those.
    void startProgress();
    void noteError(const std::exception &error);

    Shape m_shape;
    ScriptReader m_script;
    // The answers stored so far of the block being played.
    qint16 m_lineCounter = 0;
    // Counts every retry of the handshake, of "CAON" and of "EERM0" in one run.
    qint16 m_retryCounter = 0;

    // The facts of a failure, gathered as the sequence runs.
    QList<ExchangeFailure::Block> m_blocks; // lines answered of each block
    bool m_portOpened = false;
    QString m_lastCommand;                  // what went out last
    // Unanswered waits since the last answer to the same command and awaited text; a retry
    // repeats both.
    using Wait = std::pair<QString, QString>;
    QHash<Wait, int> m_unansweredWaits;
    Wait m_lastUnansweredWait;
    ExchangeTimings::Duration m_lastUnansweredTimeout{};
    ExchangeFailure m_failure;
};
