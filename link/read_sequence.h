#pragma once

#include "binding/fixed_table.h"
#include "link/sequence.h"

#include <QtGlobal>

// Reads every setting of the connected logger: the handshake, the model query, then the three
// read scripts beside the program, each block moved onto the screen as soon as it is in.
class ReadSequence : public Sequence
{
public:
    // The state numbers of the read; the gaps are part of the numbering.
    enum State : qint16 {
        OpenPort = 0,
        AwaitWakeUp = 1,
        AnswerWakeUp = 2,
        AwaitReady = 3,
        SendCommandModeOn = 4,
        AwaitCommandModeOn = 5,
        SendModelQuery = 10,
        AwaitModel = 11,
        SendChannelQuery = 12,
        AwaitChannelCount = 13,
        SendChannelLine = 14,
        AwaitChannelAnswer = 15,
        ChannelsDone = 16,
        SendMailLine = 19,
        AwaitMailAnswer = 20,
        MailDone = 21,
        SendConnectionLine = 22,
        AwaitConnectionAnswer = 23,
        SendCommandModeOff = 24,
        AwaitCommandModeOff = 25,
        Finished = 26,
        Failed = 99,
    };

    explicit ReadSequence(const SequenceContext &context);

    // Runs the whole read; returns when it has ended, successfully or not.
    void ReadFromLogger(const PortChoice &choice);

private:
    void runStates(const PortChoice &choice);
    State step(const PortChoice &choice);
    State fail();
    void chooseModelFile();
    State sendNextLine(State onEnd);
    template<int Last>
    State storeAnswer(FixedTable<QString, Last> &block, qint16 timeoutSeconds, State next);

    qint16 m_retryCounter = 0;
    qint16 m_lineCounter = 0;
};
