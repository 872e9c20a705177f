#include "support/virtual_display.h"

#include <QProcessEnvironment>

VirtualDisplay::VirtualDisplay()
{
    // -displayfd: the server picks a free display and tells its number; -ac: programs of any
    // user may connect, as the program under test may run as another one.
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-ac"),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QStringLiteral("1024x768x24")});
    if (!m_server.waitForStarted(5000) || !m_server.waitForReadyRead(10000)) {
        m_error = QStringLiteral("Xvfb did not start: %1").arg(m_server.errorString());
        return;
    }
    bool isNumber = false;
    const int number = m_server.readLine().trimmed().toInt(&isNumber);
    if (!isNumber) {
        m_error = QStringLiteral("Xvfb named no display");
        return;
    }
    m_name = QStringLiteral(":%1").arg(number);
}

VirtualDisplay::~VirtualDisplay()
{
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
}

QString VirtualDisplay::xdotool(const QStringList &arguments, int timeoutMs)
{
    return runOnDisplay(QStringLiteral("xdotool"), arguments, timeoutMs);
}

QString VirtualDisplay::property(const QString &window, const QString &name)
{
    return runOnDisplay(QStringLiteral("xprop"), {QStringLiteral("-id"), window, name}, 5000);
}

QString VirtualDisplay::runOnDisplay(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString VirtualDisplay::waitForWindow(const QString &titlePattern, int timeoutMs)
{
    // --sync: xdotool itself waits until such a window is there.
    const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), titlePattern},
                                  timeoutMs);
    return found.split(u'\n').first();
}

QRect VirtualDisplay::geometry(const QString &window)
{
    const QString shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QRect rect;
    for (const QString &line : shell.split(u'\n')) {
        const int value = line.section(u'=', 1).toInt();
        if (line.startsWith(u"X="))
            rect.moveLeft(value);
        else if (line.startsWith(u"Y="))
            rect.moveTop(value);
        else if (line.startsWith(u"WIDTH="))
            rect.setWidth(value);
        else if (line.startsWith(u"HEIGHT="))
            rect.setHeight(value);
    }
    return rect;
}

QString VirtualDisplay::focusedWindow()
{
    return xdotool({QStringLiteral("getwindowfocus")});
}

void VirtualDisplay::click(const QString &window, const QPoint &at)
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
             QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void VirtualDisplay::pressKey(const QString &key)
{
    xdotool({QStringLiteral("key"), key});
}

void VirtualDisplay::destroyWindow(const QString &window)
{
    xdotool({QStringLiteral("windowclose"), window});
}
