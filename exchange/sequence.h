#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class AppFolder;
class Link;
class SequenceScreen;
struct PortChoice;
struct SettingsState;

// What a read or a write works on: the settings state, the port, the program's folder and the screen.
struct SequenceContext
{
    SettingsState &state;
    Link &link;
    const AppFolder &appFolder;
    SequenceScreen &screen;
};

// The steps the read and the write sequences are made of. Each sequence is a numbered
// state machine of its own; this class holds what their states share, the handshake first.
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

    qint16 SeqState() const { return m_SeqState; }
    const QString &ScriptPath() const { return m_ScriptPath; }

protected:
    explicit Sequence(const SequenceContext &context);

    // Opens the first script, empties the exchange log and runs one step per pass, each
    // returning the next state, until the end state or the failure state has run. Any error,
    // foreseen or not, closes the script and releases the port before errorPath runs, so the
    // port is never left open; the status text keeps its last value.
    void run(const QString &firstScriptPath, qint16 endState, const std::function<qint16()> &step,
             const std::function<void(const std::exception &)> &errorPath);

    // One step of the handshake; afterCommandMode is where a sequence goes on once the logger is
    // in command mode, readyRetryPause the pause before the handshake is tried again.
    qint16 handshakeStep(const PortChoice &choice, qint16 afterCommandMode, double readyRetryPause);

    // Status text "レスポンスタイムアウト"; the failure state comes next.
    qint16 fail();

    // Sends the next line of the open script; at its end the sequence goes to onEnd.
    qint16 sendNextLine(qint16 onEnd);
    // Awaits the one-line answer to a script line, echoes it, and hands it to store.
    qint16 awaitLineAnswer(qint16 timeoutSeconds, qint16 next, const std::function<void(const QString &)> &store);

    // Discards what was received, sends the command followed by a line end, and echoes it if asked.
    void sendCommand(const QString &command, bool echo = true);
    // True when the expected text arrived within the time-out; LastReply holds what came.
    bool await(const QString &expected, qint16 timeoutSeconds);
    const QString &lastReply() const;
    void echo(const QString &text);
    void echoReply();
    void setStatusText(const QString &text);
    void pause(double seconds);

    // The script being played or sent, one at a time.
    void openScript(const QString &path);
    void closeScript();

    // Closes the open script and releases the port, whichever is open.
    void releaseEverything();

    SequenceContext m_context;
    qint16 m_SeqState = 0;
    // Counts every retry of the handshake and the steps that share its limit in one run.
    qint16 m_retryCounter = 0;
    // The answers stored so far of the block being played.
    qint16 m_lineCounter = 0;

private:
    std::optional<QString> nextScriptLine();

    QString m_ScriptPath;
    QFile m_script;
};
