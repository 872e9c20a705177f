#include "app/graphical_application.h"

#include <QList>
#include <QTextStream>

#include <cstdlib>

namespace telvaro::app {

namespace {

// Qt's messages while it looks for a display: shown as they came once it has found one, or
// boiled down to one line when it has not.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;

QString missingDisplayCause()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    for (const HeldMessage &message : heldMessages) {
        if (message.category.startsWith("qt.qpa"))
            return message.text;
    }
    return QStringLiteral("no platform plugin could start");
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg && text.contains(QStringLiteral("platform plugin"))) {
        QTextStream(stderr) << QStringLiteral("%1: the window needs a graphical display, and there is none (%2). "
                                              "telvaro-cli works without one.")
                                   .arg(QCoreApplication::applicationName(), missingDisplayCause())
                            << Qt::endl;
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages.append({type, QByteArray(context.category), text});
    if (type == QtFatalMsg) {
        // Some other end: as Qt would have it.
        qInstallMessageHandler(nullptr);
        qt_message_output(type, context, text);
    }
}

} // namespace

std::unique_ptr<QApplication> startGraphicalApplication(int &argc, char *argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
    return application;
}

} // namespace telvaro::app
