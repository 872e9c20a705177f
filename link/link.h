#pragma once

#include "link/secret_masking.h"
#include "link/serial_line.h"

#include <QObject>
#include <QString>

#include <chrono>

// Result codes of WaitForReply; callers compare with kReplyReceived only.
inline constexpr qint16 kReplyReceived = 2000;
inline constexpr qint16 kReplyTimedOut = 2003;

// The text with every carriage return and line feed removed, wherever they stand.
QString StripLineEnds(const QString &text);

// The exchange primitives the read and write sequences are built from. Waits and pauses run a
// local event loop: the window repaints and takes events meanwhile, and the processor idles.
// Every wait and pause ends at once when the application is quitting, whose event loops then
// return at once: nothing may hold the program back.
class Link : public QObject
{
    Q_OBJECT

public:
    explicit Link(SerialLine &line);

    // Port number 1 is COM1. Throws RunTimeError when the port cannot be opened.
    void openPort(int portNumber, const QString &settings);
    // Harmless when already closed.
    void releasePort();
    bool isPortOpen() const;
    void discardInput();
    // Discards pending input, then sends the text in code page 932 as it is.
    void sendText(const QString &text);

    // Waits until the expected text has arrived (kReplyReceived) or the time-out has passed
    // (kReplyTimedOut); a lost line ends the wait at once as no reply. LastReply then holds all
    // that this call received.
    qint16 WaitForReply(const QString &expected, std::chrono::milliseconds timeout);
    const QString &LastReply() const { return m_lastReply; }

    void pause(std::chrono::milliseconds duration);

private:
    SerialLine &m_line;
    QString m_lastReply;
    // The wire trace never shows a password.
    SecretMasking m_traceMasking;
};
