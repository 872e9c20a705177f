#include "cli/label_command.h"

#include "cli/console.h"
#include "cli/logger_options.h"
#include "record/exchange_record.h"

#include <algorithm>

using namespace telvaro::record;

namespace telvaro::cli {

namespace {

const QString kName = QStringLiteral("label");

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

CliCommand LabelCommand::command(const SessionSetup &setup)
{
    return {kName, QStringLiteral("ID TEXT"),
            tr("Give the logger with this identity a label the record keeps (\"\" takes it away)."),
            [](QCommandLineParser &parser) {
                LoggerOptions::declareRecord(parser);
                parser.addPositionalArgument(QStringLiteral("ID"), tr("The logger's identity, as history shows it."));
                parser.addPositionalArgument(QStringLiteral("TEXT"), tr("The label."));
            },
            [setup](const QCommandLineParser &parser, Console &console) { return run(parser, console, setup); }};
}

int LabelCommand::run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup)
{
    const QString path = LoggerOptions::recordPath(parser, setup);
    if (path.isEmpty())
        return CliUsage::error(console, kName, tr("no record of exchanges is kept; --record names one"));
    if (!CliUsage::hasArguments(parser, 2))
        return CliUsage::error(console, kName, tr("give an identity and a label"));
    const QString identity = parser.positionalArguments().at(0);
    const QString label = parser.positionalArguments().at(1);
    if (identity.isEmpty() || hasControlCharacter(identity))
        return CliUsage::error(console, kName, tr("\"%1\" is no identity of a logger").arg(identity));
    // A label is shown on a line of the list: a line feed or escape sequence would break it.
    if (hasControlCharacter(label))
        return CliUsage::error(console, kName, tr("a label holds no control characters"));
    if (label.size() > ExchangeRecord::kLabelLength)
        return CliUsage::error(console, kName,
                               tr("the label is %1 characters long; it may be %2 at most")
                                   .arg(label.size())
                                   .arg(ExchangeRecord::kLabelLength));
    ExchangeRecord record(path);
    if (!record.setLabel(identity, label)) {
        console.tell(QStringLiteral("%1: %2").arg(kName, record.error()));
        return ExitStatus::kFailure;
    }
    return ExitStatus::kSuccess;
}

} // namespace telvaro::cli
