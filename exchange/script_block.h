#pragma once

#include "base/timings.h"

#include <QStringView>
#include <QtGlobal>

#include <initializer_list>
#include <span>

namespace telvaro::exchange {

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
    using Timing = base::ExchangeTimings::Duration base::ExchangeTimings::*;

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

// No two of the numbers alike: the states of one sequence.
constexpr bool areDistinct(std::initializer_list<qint16> states)
{
    for (auto a = states.begin(); a != states.end(); ++a) {
        for (auto b = a + 1; b != states.end(); ++b) {
            if (*a == *b)
                return false;
        }
    }
    return true;
}

// The blocks of a sequence chain up: every send and await state is a block's own, past the
// handshake and short of the failure state; each block but the last ends in a state of no block,
// from which the player passes on to the next block. The last block's end is the sequence's.
constexpr bool blocksChain(std::span<const ScriptBlock> blocks, qint16 lastHandshakeState, qint16 failedState)
{
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const ScriptBlock &block = blocks[i];
        for (const qint16 state : {block.sendState, block.awaitState, block.endState}) {
            if (state <= lastHandshakeState || state == failedState)
                return false;
        }
        if (!areDistinct({block.sendState, block.awaitState, block.endState}))
            return false;
        for (std::size_t j = 0; j < blocks.size(); ++j) {
            const ScriptBlock &other = blocks[j];
            if (j != i && !areDistinct({block.sendState, block.awaitState, other.sendState, other.awaitState}))
                return false;
            if (j != i && (block.endState == other.sendState || block.endState == other.awaitState
                           || block.endState == other.endState))
                return false;
        }
    }
    return !blocks.empty();
}

} // namespace telvaro::exchange
