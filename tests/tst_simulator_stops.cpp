#include "link/port_names.h"
#include "support/simulated_logger_fixture.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPort = 7;

QString simulatorPath()
{
    return QStringLiteral(TELVARO_APP_DIR "/telvaro-logger-sim");
}

// Waits, on the folder's change notifications, until the entry is gone.
bool waitUntilGone(const QString &path, int timeoutMs)
{
    QFileSystemWatcher watcher({QFileInfo(path).absolutePath()});
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    QDeadlineTimer deadline(timeoutMs);
    while (QFileInfo(path).isSymLink()) {
        if (deadline.hasExpired() || !changed.wait(int(deadline.remainingTime())))
            return !QFileInfo(path).isSymLink();
    }
    return true;
}

// The process may have ended already while a local event loop ran.
bool hasFinished(QProcess &process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(5000);
}

} // namespace

// The simulated logger maps a port to its pseudo-terminal while it runs, and takes the mapping
// away however it ends: that terminal's number soon belongs to another terminal.
class TestSimulatorStops : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_ports = std::make_unique<QTemporaryDir>();
        m_link = PortNames::linkPath(kPort, m_ports->path());
    }

    void stopSignal_removesTheMapping_andEndsByThatSignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("interrupt") << SIGINT;
        QTest::newRow("terminate") << SIGTERM;
        QTest::newRow("hang-up of its terminal") << SIGHUP;
    }

    void stopSignal_removesTheMapping_andEndsByThatSignal()
    {
        QFETCH(int, signalNumber);
        QProcess simulator;
        const QString device = start(simulator);
        QCOMPARE(QFileInfo(m_link).symLinkTarget(), device);

        ::kill(pid_t(simulator.processId()), signalNumber);
        QVERIFY(hasFinished(simulator));
        QCOMPARE(simulator.exitStatus(), QProcess::CrashExit);
        QCOMPARE(simulator.exitCode(), signalNumber);
        QVERIFY(!QFileInfo(m_link).isSymLink());
    }

    void hangUp_endsNormally_andRemovesTheMapping()
    {
        QProcess simulator;
        const QString device = start(simulator, {u"--hang-up-after"_s, u"1"_s});
        ToolEndOfLine tool;
        QVERIFY(tool.open(device));
        QVERIFY(tool.waitFor("AT\r\n"));
        QVERIFY(tool.enterCommandMode()); // "CAON" is the first command
        QVERIFY(hasFinished(simulator));
        QCOMPARE(simulator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(simulator.exitCode(), 0);
        QVERIFY(!QFileInfo(m_link).isSymLink());
    }

    void parentGoingAway_stopsIt_andRemovesTheMapping()
    {
        // A shell starts the simulator and is killed outright, as a terminal window may be. The
        // shell tells the simulator's process id and the simulator its device, in either order.
        QProcess shell;
        shell.start(u"/bin/sh"_s, {u"-c"_s, u"\"$0\" --link-com \"$1\" --ports-folder \"$2\" & echo $!; wait"_s,
                                   simulatorPath(), QString::number(kPort), m_ports->path()});
        qint64 simulatorPid = 0;
        while (simulatorPid == 0 || !QFileInfo(m_link).isSymLink()) {
            if (!shell.canReadLine())
                QVERIFY(shell.waitForReadyRead(5000));
            const QByteArray line = shell.readLine().trimmed();
            if (!line.startsWith('/'))
                simulatorPid = line.toLongLong();
        }
        const auto noOrphan = qScopeGuard([&] {
            if (QFileInfo(m_link).isSymLink())
                ::kill(pid_t(simulatorPid), SIGKILL);
        });
        shell.kill();
        QVERIFY(hasFinished(shell));
        QVERIFY(waitUntilGone(m_link, 5000));
    }

    void mappingPointedElsewhere_isLeftAlone()
    {
        QProcess simulator;
        start(simulator);
        QString error;
        QVERIFY2(PortNames::mapPort(kPort, u"/dev/null"_s, m_ports->path(), &error), qPrintable(error));
        simulator.terminate();
        QVERIFY(hasFinished(simulator));
        QCOMPARE(QFileInfo(m_link).symLinkTarget(), u"/dev/null"_s);
    }

private:
    // Starts the simulator on a fresh pseudo-terminal mapped as kPort; returns the device.
    QString start(QProcess &simulator, const QStringList &options = {})
    {
        simulator.start(simulatorPath(), QStringList{u"--link-com"_s, QString::number(kPort), u"--ports-folder"_s,
                                                     m_ports->path()} + options);
        if (!simulator.waitForReadyRead(5000))
            return {};
        return QString::fromLocal8Bit(simulator.readLine()).trimmed();
    }

    std::unique_ptr<QTemporaryDir> m_ports;
    QString m_link;
};

QTEST_GUILESS_MAIN(TestSimulatorStops)
#include "tst_simulator_stops.moc"
