#include "simulator/simulator_command_line.h"

#include "link/port_names.h"
#include "text/cp932.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace telvaro::text;
using namespace telvaro::link;

namespace telvaro::simulator {

namespace {

struct IntegerOption
{
    QCommandLineOption option;
    int minimum;
    int *target;
};

struct DurationOption
{
    QCommandLineOption option;
    std::chrono::milliseconds *target;
};

} // namespace

std::optional<SimulatorCommandLine> parseSimulatorCommandLine(const QStringList &arguments, QString *error)
{
    SimulatorCommandLine result;
    SimulatedLoggerOptions &logger = result.logger;
    result.portsFolder = PortNames::defaultPortsFolder(); // where the tool looks

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated logger on a fresh pseudo-terminal (or on a serial device). Prints the device path."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serve this serial device instead."), QStringLiteral("path"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("Line speed of --device (default 9600)."), QStringLiteral("bps"));
    const QCommandLineOption linkCom(QStringLiteral("link-com"), QStringLiteral("Map port number n to the pseudo-terminal."), QStringLiteral("n"));
    const QCommandLineOption portsFolder(QStringLiteral("ports-folder"), QStringLiteral("Folder of the mapping links."), QStringLiteral("dir"));
    const QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Keep the settings in this file."), QStringLiteral("file"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model code (default GSN)."), QStringLiteral("code"));
    const QCommandLineOption suffix(QStringLiteral("model-suffix"), QStringLiteral("The six characters after the model code."), QStringLiteral("text"));
    const QCommandLineOption noAt(QStringLiteral("no-at"), QStringLiteral("Never send \"AT\"."));
    const QCommandLineOption echo(QStringLiteral("echo"), QStringLiteral("Echo each command before its reply."));
    const QCommandLineOption noApn(QStringLiteral("no-apn"), QStringLiteral("Answer \"???\" for the APN item."));
    const QCommandLineOption dropTo(QStringLiteral("drop-replies-to"), QStringLiteral("No reply to commands containing this text."), QStringLiteral("text"));
    const QCommandLineOption slowWrite(QStringLiteral("slow-write"), QStringLiteral("Answer the write of this key late (see --slow-write-delay)."), QStringLiteral("key"));
    const QCommandLineOption ignoreWrite(QStringLiteral("ignore-write"), QStringLiteral("Acknowledge the write of this key but keep the old value."), QStringLiteral("key"));
    const QCommandLineOption channelCount(QStringLiteral("channel-count"), QStringLiteral("Answer this to \"EERC9\" instead of the number of channels."), QStringLiteral("text"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Log every line on standard error."));
    for (const QCommandLineOption &option : {device, speed, linkCom, portsFolder, settings, model, suffix,
                                             noAt, echo, noApn, dropTo, slowWrite, ignoreWrite, channelCount, verbose})
        parser.addOption(option);

    const auto integer = [](const char *name, const char *description, int minimum, int *target) {
        return IntegerOption{QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(description),
                                                QStringLiteral("n")),
                             minimum, target};
    };
    const IntegerOption integers[] = {
        integer("ignore-handshake", "Leave the first n handshakes unanswered.", 0, &logger.ignoreHandshakes),
        integer("ignore-caon", "Leave the first n \"CAON\" unanswered.", 0, &logger.ignoreCaons),
        integer("drop-reply", "No reply to the n-th command.", 1, &logger.dropReplyToCommand),
        integer("split", "Send replies in pieces of n bytes.", 1, &logger.splitRepliesBytes),
        integer("absent-from-row", "Channel rows from n on are absent.", 0, &logger.absentFromRow),
        integer("flood", "Send n bytes without line ends before each \"READY\".", 1, &logger.floodBytes),
        integer("hang-up-after", "Close the line after the n-th command.", 1, &logger.hangUpAfterCommands),
    };
    for (const IntegerOption &entry : integers)
        parser.addOption(entry.option);

    const auto duration = [](const char *name, const char *description, std::chrono::milliseconds *target) {
        const QString text = QString::fromLatin1(description) + QStringLiteral(" (default %1).").arg(target->count());
        return DurationOption{QCommandLineOption(QString::fromLatin1(name), text, QStringLiteral("ms")), target};
    };
    const DurationOption durations[] = {
        duration("at-interval", "Interval of \"AT\" while waking the tool", &logger.atInterval),
        duration("delay", "Delay before every reply", &logger.replyDelay),
        duration("slow-write-delay", "Delay before the answer to the --slow-write key", &logger.slowWriteDelay),
        duration("split-pause", "Pause between the pieces of a reply", &logger.splitPause),
    };
    for (const DurationOption &entry : durations)
        parser.addOption(entry.option);

    const QString usage = parser.helpText();
    if (!parser.parse(arguments)) {
        *error = parser.errorText() + QLatin1Char('\n') + usage;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        result.answer = usage;
        return result;
    }
    if (parser.isSet(version)) {
        result.answer = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument %1\n").arg(parser.positionalArguments().first()) + usage;
        return std::nullopt;
    }

    const auto number = [&](const QCommandLineOption &option, int minimum, int *target) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < minimum) {
            *error = QStringLiteral("--%1 needs a whole number of at least %2\n").arg(option.names().first()).arg(minimum) + usage;
            return false;
        }
        *target = value;
        return true;
    };
    for (const IntegerOption &entry : integers) {
        if (!number(entry.option, entry.minimum, entry.target))
            return std::nullopt;
    }
    for (const DurationOption &entry : durations) {
        int milliseconds = int(entry.target->count());
        if (!number(entry.option, 0, &milliseconds))
            return std::nullopt;
        *entry.target = std::chrono::milliseconds(milliseconds);
    }
    if (!number(linkCom, 1, &result.linkCom) || !number(speed, 1, &result.speed))
        return std::nullopt;

    result.device = parser.value(device);
    if (parser.isSet(portsFolder))
        result.portsFolder = parser.value(portsFolder);
    logger.settingsFile = parser.value(settings);
    if (parser.isSet(model))
        logger.modelCode = Cp932::encode(parser.value(model));
    if (parser.isSet(suffix)) {
        logger.modelSuffix = Cp932::encode(parser.value(suffix));
        if (logger.modelSuffix.size() != 6) {
            *error = QStringLiteral("--model-suffix needs six characters\n") + usage;
            return std::nullopt;
        }
    }
    logger.neverSendAt = parser.isSet(noAt);
    logger.echoCommands = parser.isSet(echo);
    logger.noApn = parser.isSet(noApn);
    logger.dropRepliesContaining = Cp932::encode(parser.value(dropTo));
    logger.slowWriteKey = Cp932::encode(parser.value(slowWrite));
    logger.ignoredWriteKey = Cp932::encode(parser.value(ignoreWrite));
    if (parser.isSet(channelCount))
        logger.channelCountAnswer = Cp932::encode(parser.value(channelCount));
    result.verbose = parser.isSet(verbose);
    if (!result.device.isEmpty() && result.linkCom > 0) {
        *error = QStringLiteral("--link-com maps the pseudo-terminal; it cannot go with --device\n") + usage;
        return std::nullopt;
    }
    return result;
}

} // namespace telvaro::simulator
