#pragma once

#include "base/timings.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace telvaro::simulator {

// How a simulated logger behaves: its model, where it keeps its settings, its timing and the
// faults it shows. The defaults give a well-behaved logger of the default model with settings
// in memory.
struct SimulatedLoggerOptions
{
    using Duration = std::chrono::milliseconds;

    QByteArray modelCode = "GSN";
    QByteArray modelSuffix = "V01.00";   // the six characters after the model code
    QString settingsFile;                // empty: settings live in memory only

    // Timing.
    Duration atInterval{500};            // "AT" goes out this often while waking the tool
    Duration replyDelay{0};              // before every reply
    Duration slowWriteDelay{2500};       // before the reply to a write of slowWriteKey
    Duration splitPause{50};             // between the pieces of a reply

    // Faults.
    bool neverSendAt = false;
    int ignoreHandshakes = 0;            // this many "CONNECT"s go unanswered
    int ignoreCaons = 0;                 // this many "CAON"s go unanswered
    int dropReplyToCommand = 0;          // the n-th command line (from 1) gets no reply; 0: none
    QByteArray dropRepliesContaining;    // commands containing this text get no reply
    QByteArray slowWriteKey;             // a write to this key is answered after slowWriteDelay
    QByteArray ignoredWriteKey;          // a write to this key is acknowledged, the old value kept
    int splitRepliesBytes = 0;           // replies go out in pieces of this many bytes
    bool echoCommands = false;
    QByteArray replyTrailer;             // sent with every answer to an item read ("key?"),
                                         // in the same write, as the start of a next line
    std::optional<QByteArray> channelCountAnswer; // answered to "EERC9" instead of the count
    bool noApn = false;                  // "???" for the APN and authentication items
    int absentFromRow = 16;              // channel rows from this one on are absent
    int floodBytes = 0;                  // sent without line ends before each "READY"
    int hangUpAfterCommands = 0;         // close the line after answering the n-th command

    // The same logger with every length of time multiplied by factor, to keep pace with an
    // exchange scaled alike.
    SimulatedLoggerOptions scaled(double factor) const
    {
        SimulatedLoggerOptions result = *this;
        for (Duration SimulatedLoggerOptions::*duration : {&SimulatedLoggerOptions::atInterval,
                                                           &SimulatedLoggerOptions::replyDelay,
                                                           &SimulatedLoggerOptions::slowWriteDelay,
                                                           &SimulatedLoggerOptions::splitPause})
            result.*duration = base::scaledDuration(this->*duration, factor);
        return result;
    }
};

} // namespace telvaro::simulator
