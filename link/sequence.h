#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

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
// state machine of its own; this class holds what their states share.
class Sequence
{
public:
    qint16 SeqState() const { return m_SeqState; }
    const QString &ScriptPath() const { return m_ScriptPath; }

protected:
    explicit Sequence(const SequenceContext &context);

    void openPort(const PortChoice &choice);
    // Discards what was received, sends the command followed by a line end, and echoes it if asked.
    void sendCommand(const QString &command, bool echo = true);
    // The answer to the logger's wake-up call: CR "CONNECT" CR.
    void sendHandshakeAnswer();
    // True when the expected text arrived within the time-out; LastReply holds what came.
    bool await(const QString &expected, qint16 timeoutSeconds);
    const QString &lastReply() const;
    void echo(const QString &text);
    void echoReply();
    void setStatusText(const QString &text);

    // The script being played or sent, one at a time, in the program's folder.
    void openScript(const QString &fileName);
    std::optional<QString> nextScriptLine();
    void closeScript();

    // Closes the open script and releases the port, whichever is open.
    void releaseEverything();

    SequenceContext m_context;
    qint16 m_SeqState = 0;

private:
    QString m_ScriptPath;
    QFile m_script;
};
