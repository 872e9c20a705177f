#include "exchange/exchange_failure.h"

#include "link/secret_masking.h"

#include <QCoreApplication>
#include <QStringList>

using namespace telvaro::link;

namespace telvaro::exchange {

namespace {

// The translation context of the texts here.
class ExchangeFailureText
{
    Q_DECLARE_TR_FUNCTIONS(ExchangeFailureText)

public:
    static QString portNotOpened(const ExchangeFailure &failure, FailureReader reader)
    {
        const QString port = failure.device.isEmpty() ? failure.port
                                                      : QStringLiteral("%1 (%2)").arg(failure.port, failure.device);
        const QString portName = failure.port.isEmpty() ? failure.device : failure.port;
        switch (failure.portProblem) {
        case PortOpenFailure::Problem::NoSuchDevice: {
            QString text = tr("The port %1 could not be opened: %2.").arg(port, failure.reason) + u'\n';
            if (!failure.missingDevice.isEmpty())
                text += tr("%1 leads to %2, which is not there.").arg(portName, failure.missingDevice) + u'\n';
            if (reader == FailureReader::CommandLine) {
                return text
                       + tr("There is no such device. Check that the logger's cable (its USB adapter) is plugged in, "
                            "and that the port given is the one it is on: telvaro-cli ports lists them, "
                            "telvaro-cli ports --assign gives a COM name to one.");
            }
            return text
                   + tr("There is no such device. Check that the logger's cable (its USB adapter) is plugged in, "
                        "and that \"通信設定\" names the port it is on.")
                   + u'\n' + tr("\"ツール\" → \"シリアルポートの割り当て\" shows the serial ports and gives a COM name to one.");
        }
        case PortOpenFailure::Problem::PermissionDenied:
            return tr("The port %1 could not be opened: %2.").arg(port, failure.reason) + u'\n'
                   + tr("This user may not use the port. Add the user to the group dialout "
                        "(sudo adduser $USER dialout), then log out and in again.");
        case PortOpenFailure::Problem::InUse:
            if (failure.holderPid > 0) {
                const QString holder = failure.holderProgram.isEmpty()
                                           ? tr("process %1").arg(failure.holderPid)
                                           : tr("%1, process %2").arg(failure.holderProgram).arg(failure.holderPid);
                return tr("The port %1 could not be opened.").arg(port) + u'\n'
                       + tr("%1 is in use by another program (%2) (lock file %3).").arg(portName, holder, failure.lockFile)
                       + u'\n' + tr("End that program, then try again.");
            }
            return tr("The port %1 could not be opened: %2.").arg(port, failure.reason) + u'\n'
                   + tr("Another program is using the port. End it, then try again.");
        case PortOpenFailure::Problem::Other:
            break;
        }
        return tr("The port %1 could not be opened: %2.").arg(port, failure.reason);
    }

    static QString noAnswer(const ExchangeFailure &failure)
    {
        // A password line stops a write as well as any other; its value stays unseen all the same.
        const QString command = SecretMasking::masked(QStringView(failure.command));
        const qint64 waited = failure.waited.count();
        const QString wait = waited % 1000 == 0 ? tr("%n second(s)", nullptr, int(waited / 1000))
                                                : tr("%1 seconds").arg(double(waited) / 1000.0, 0, 'f', 1);
        const QString what = failure.expected.isEmpty()
                                 ? tr("The logger did not answer \"%1\": the tool waited %2 for an answer")
                                       .arg(command, wait)
                                 : tr("The logger did not answer \"%1\": the tool waited %2 for \"%3\"")
                                       .arg(command, wait, failure.expected);
        return failure.attempts > 1 ? tr("%1, %n time(s).", nullptr, failure.attempts).arg(what)
                                    : tr("%1.", "a sentence ends").arg(what);
    }

    static QString cause(const ExchangeFailure &failure, FailureReader reader)
    {
        switch (failure.cause) {
        case ExchangeFailure::Cause::PortNotOpened:
            return portNotOpened(failure, reader);
        case ExchangeFailure::Cause::NoAnswer:
            return noAnswer(failure);
        case ExchangeFailure::Cause::LineLost:
            return tr("The line on %1 was lost while the tool waited for the answer to \"%2\": the logger hung up, "
                      "or its cable or adapter was unplugged.")
                .arg(failure.port, SecretMasking::masked(QStringView(failure.command)));
        case ExchangeFailure::Cause::FileNotOpened:
            return tr("The file %1 could not be opened: %2.").arg(failure.file, failure.reason);
        case ExchangeFailure::Cause::ScriptNotWritten:
            return tr("The script files %1 could not be written, so nothing was sent.").arg(failure.file);
        case ExchangeFailure::Cause::UnsendableText:
            return tr("%1 holds a character that cannot be sent to the logger, so nothing was sent.").arg(failure.field);
        case ExchangeFailure::Cause::Other:
            break;
        }
        return tr("The exchange ended on an error: %1").arg(failure.reason);
    }

    static QString writeProgress(const ExchangeFailure &failure)
    {
        int answered = 0;
        for (const ExchangeFailure::Block &block : failure.blocks)
            answered += block.answered;
        QStringList lines;
        lines.append(answered > 0 ? tr("Some of the logger's settings have been changed")
                                  : tr("The logger's settings have not been changed."));
        if (answered == 0)
            return lines.first();
        for (const ExchangeFailure::Block &block : failure.blocks)
            lines.append(tr("%1: %2 of %n line(s) acknowledged", nullptr, block.lines).arg(block.file).arg(block.answered));
        return lines.join(u'\n');
    }
};

} // namespace

QString describe(const ExchangeFailure &failure, FailureReader reader)
{
    QString text = ExchangeFailureText::cause(failure, reader);
    if (failure.isWrite && !failure.blocks.isEmpty())
        text += QStringLiteral("\n\n") + ExchangeFailureText::writeProgress(failure);
    return text;
}

} // namespace telvaro::exchange
