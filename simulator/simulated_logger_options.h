#pragma once

#include <QByteArray>
#include <QString>

// How a simulated logger behaves: its model, where it keeps its settings, and the faults it
// shows. The defaults give a well-behaved logger of the default model with settings in memory.
struct SimulatedLoggerOptions
{
    QByteArray modelCode = "GSN";
    QByteArray modelSuffix = "V01.00";   // the six characters after the model code
    QString settingsFile;                // empty: settings live in memory only

    // Faults.
    bool neverSendAt = false;
    int ignoreHandshakes = 0;            // this many "CONNECT"s go unanswered
    int ignoreCaons = 0;                 // this many "CAON"s go unanswered
    int dropReplyToCommand = 0;          // the n-th command line (from 1) gets no reply; 0: none
    QByteArray dropRepliesContaining;    // commands containing this text get no reply
    int replyDelayMs = 0;
    QByteArray slowWriteKey;             // a write to this key is answered after slowWriteDelayMs
    int slowWriteDelayMs = 2500;
    int splitRepliesBytes = 0;           // replies go out in pieces of this many bytes
    int splitPauseMs = 50;               // pause between pieces
    bool echoCommands = false;
    QByteArray replyTrailer;             // sent with every answer to an item read ("key?"),
                                         // in the same write, as the start of a next line
    bool noApn = false;                  // "???" for the APN and authentication items
    int absentFromRow = 16;              // channel rows from this one on are absent
    int floodBytes = 0;                  // sent without line ends before each "READY"
    int hangUpAfterCommands = 0;         // close the line after answering the n-th command
};
