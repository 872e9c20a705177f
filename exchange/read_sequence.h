#pragma once

#include "exchange/sequence.h"

#include <QtGlobal>

namespace telvaro::exchange {

// Reads every setting of the connected logger: the handshake, the model query, then the three
// read scripts beside the program, each block moved onto the screen as soon as it is in.
class ReadSequence : public Sequence
{
public:
    // The states after the handshake; the gaps are part of the numbering.
    enum State : qint16 {
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
    };

    explicit ReadSequence(const SequenceContext &context);

    // Starts the whole read; ended is told how it went once it has ended.
    void ReadFromLogger(const base::PortChoice &choice, EndHandler ended);

private:
    Next ownStep() override;
    void endFailed() override;
    void endInterrupted() override;
    void chooseModelFile();
};

} // namespace telvaro::exchange
