#pragma once

#include "exchange/sequence.h"

#include <QtGlobal>

// Writes the settings on the screen into the connected logger: the same handshake as the read,
// then the four script files, every line acknowledged before the next goes out.
class WriteSequence : public Sequence
{
public:
    // The states after the handshake.
    enum State : qint16 {
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
    };

    explicit WriteSequence(const SequenceContext &context);

    // Checks that every value can be sent, asks whether values that look wrong go all the same,
    // builds the alarm scripts, then writes. Each step that fails says so in a message box and
    // gives the screen back, as does a "no"; nothing is sent before the checks pass.
    void write(const PortChoice &choice);

    // The exchange itself; "Arm.eep" and "ArmNet.eep" must already be built.
    void WriteToLogger(const PortChoice &choice);

private:
    qint16 step(const PortChoice &choice);
    qint16 awaitAcknowledgement(qint16 next);
    void endWithMessage(const QString &message);
};
