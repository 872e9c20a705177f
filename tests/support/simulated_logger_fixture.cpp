#include "support/simulated_logger_fixture.h"

#include "link/port_names.h"
#include "simulator/pseudo_terminal_port.h"
#include "support/exchange_timing.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <utility>

SimulatedLoggerFixture::SimulatedLoggerFixture(const SimulatedLoggerOptions &options, int comNumber)
    : m_comNumber(comNumber)
{
    if (!m_portsFolder.isValid()) {
        m_error = QStringLiteral("no temporary ports folder");
        return;
    }
    // Tests take and release the line all the time: it is seen taken within 5 ms.
    std::unique_ptr<PseudoTerminalPort> port = PseudoTerminalPort::create(&m_error, std::chrono::milliseconds(5));
    if (!port)
        return;
    m_devicePath = port->devicePath();
    if (!PortNames::mapPort(comNumber, m_devicePath, m_portsFolder.path(), &m_error))
        return;
    m_logger = std::make_unique<SimulatedLogger>(std::move(port), options);
    if (!m_logger->settingsError().isEmpty()) {
        m_error = m_logger->settingsError();
        m_logger.reset();
    }
}

SimulatedLoggerFixture::~SimulatedLoggerFixture() = default;

QString SimulatedLoggerFixture::comLinkPath() const
{
    return PortNames::linkPath(m_comNumber, m_portsFolder.path());
}

bool SimulatedLoggerFixture::heardAWrite() const
{
    const QList<QByteArray> &lines = m_logger->receivedLines();
    return std::any_of(lines.begin(), lines.end(), [](const QByteArray &line) { return line.contains('='); });
}

ToolEndOfLine::ToolEndOfLine()
{
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
        m_received += m_port.readAll();
        ++m_readCount;
    });
    // A vanished far end keeps reporting errors until the port is closed.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
            m_port.close();
    });
}

bool ToolEndOfLine::open(const QString &device)
{
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_received.clear();
    return m_port.open(QIODevice::ReadWrite);
}

bool ToolEndOfLine::waitFor(const QByteArray &expected, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_received.contains(expected)) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
        QObject::connect(&m_port, &QSerialPort::readyRead, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        loop.exec();
    }
    return true;
}

QByteArray ToolEndOfLine::listen(int milliseconds)
{
    const qsizetype before = m_received.size();
    runEventLoopFor(milliseconds);
    return m_received.mid(before);
}

QByteArray ToolEndOfLine::take()
{
    return std::exchange(m_received, QByteArray());
}

bool ToolEndOfLine::enterCommandMode()
{
    take();
    send("\rCONNECT\r");
    if (!waitFor("READY\r\n"))
        return false;
    take();
    send("CAON\r\n");
    const bool ok = waitFor("OK\r\n");
    take();
    return ok;
}

QByteArray ToolEndOfLine::ask(const QByteArray &line, int timeoutMs)
{
    take();
    send(line + "\r\n");
    if (!waitFor("\r\n", timeoutMs))
        return {};
    const QByteArray received = m_received;
    const qsizetype end = received.indexOf("\r\n") + 2;
    m_received = received.mid(end);
    return received.left(end);
}
