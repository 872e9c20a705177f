#pragma once

#include "exchange/sequence.h"
#include "plan/write_plan.h"

#include <QtGlobal>

namespace telvaro::exchange {

// Writes the settings on the screen into the connected logger, as the write plan made of them
// before says: the same handshake as the read, then the four script files, every line
// acknowledged before the next goes out.
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

    // The plan must outlive the sequence.
    WriteSequence(const SequenceContext &context, const plan::WritePlan &plan);

    // Checks that every value of the plan can be sent, asks whether its findings (values that
    // look wrong, changes nobody asked for) go all the same, and writes the four script files,
    // then starts sending them; returns when the write awaits the logger or has ended; ended is
    // told how it went. Whatever fails says so in a message box and gives
    // the screen back, as does a "no"; nothing is sent before all four files are in.
    void WriteToLogger(const base::PortChoice &choice, EndHandler ended);

private:
    std::optional<ExchangeResult::Outcome> prepare() override;
    Next ownStep() override;
    void endFailed() override;
    void endInterrupted() override;
    void endWithMessage(const QString &message);
    // The paths of the named script files, for a message.
    QString scriptFiles(std::initializer_list<QStringView> names) const;

    const plan::WritePlan &m_plan;
};

} // namespace telvaro::exchange
