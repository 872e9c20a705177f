#pragma once

#include "base/timings.h"

#include <QStringView>
#include <QtGlobal>

struct SequenceContext;

// Where the answers to the lines of a block are kept.
enum class AnswerTable { None, EepChannel, EepMail, EepConnect };

// Where a script comes from: the read scripts installed with the program, or the script files
// the tool writes before it sends them.
enum class ScriptOrigin { Installed, Written };

// One script file played to the logger line by line, each line answered before the next goes
// out. A sequence lists its blocks in order; one player runs them all.
struct ScriptBlock
{
    using Timing = ExchangeTimings::Duration ExchangeTimings::*;

    QStringView file = {};
    ScriptOrigin origin = ScriptOrigin::Installed;

    // The states of the block: a line goes out, its answer is awaited; at the end of the file
    // the sequence goes to endState.
    qint16 sendState = 0;
    qint16 awaitState = 0;
    qint16 endState = 0;

    Timing answerTimeout = nullptr;
    AnswerTable answers = AnswerTable::None;

    // Entering the block from the one before it (the first is opened when the sequence starts):
    // a status text before the file is opened, then a pause, then a status text once it is open.
    // An empty text leaves the status as it is; no pause when pauseBefore is null.
    QStringView statusOpening = {};
    Timing pauseBefore = nullptr;
    QStringView statusStarted = {};

    // Leaving it for the block after it: a status text once the file is closed, then what the
    // screen makes of the answers.
    QStringView statusDone = {};
    void (*after)(const SequenceContext &context) = nullptr;
};
