#pragma once

#include "link/sequence.h"

#include <QtGlobal>

// Writes the settings on the screen into the connected logger: the same handshake as the read,
// then the four script files, every line acknowledged before the next goes out.
class WriteSequence : public Sequence
{
public:
    // The state numbers of the write; the gaps are part of the numbering.
    enum State : qint16 {
        OpenPort = 0,
        AwaitWakeUp = 1,
        AnswerWakeUp = 2,
        AwaitReady = 3,
        SendCommandModeOn = 4,
        AwaitCommandModeOn = 5,
        SendAlarmLine = 6,
        AwaitAlarmAck = 7,
        AlarmsDone = 8,
        SendMailLine = 9,
        AwaitMailAck = 10,
        MailDone = 11,
        SendAlarmNetLine = 12,
        AwaitAlarmNetAck = 13,
        AlarmNetDone = 14,
        SendConnectionLine = 15,
        AwaitConnectionAck = 16,
        Finished = 17,
        Failed = 99,
    };

    explicit WriteSequence(const SequenceContext &context);

    // Checks that every value can be sent, builds the alarm scripts, then writes. Each step that
    // fails says so in a message box and gives the screen back; nothing is sent before the checks pass.
    void write(const PortChoice &choice);

    // The exchange itself; "Arm.eep" and "ArmNet.eep" must already be built.
    void WriteToLogger(const PortChoice &choice);

private:
    void runStates(const PortChoice &choice);
    State step(const PortChoice &choice);
    State fail();
    State sendNextLine(State onEnd);
    State awaitAcknowledgement(State next, bool storeInChannelImage);
    void endWithMessage(const QString &message);

    qint16 m_retryCounter = 0;
    qint16 m_lineCounter = 0;
};
