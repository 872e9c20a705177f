#include "cli/console.h"
#include "cli/ports_command.h"
#include "link/port_lock.h"
#include "link/port_names.h"
#include "ports/logger_search.h"
#include "support/cli_process.h"
#include "support/exchange_timing.h"
#include "support/pty_peer.h"
#include "support/simulated_logger_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace telvaro::ports;
using Outcome = DeviceFinding::Outcome;

Q_DECLARE_METATYPE(Outcome)

namespace {

// The handshake every exchange begins with, as it goes over the line.
const QByteArray kHandshake = "\rCONNECT\r";

// The lock files of the devices, in the search's lock folder and in the system's (where the
// serial port keeps one of its own while open).
QStringList lockFilesOf(const QStringList &devices, const QString &lockFolder)
{
    QStringList found;
    for (const QString &folder : {lockFolder, PortLock::defaultFolder()}) {
        for (const QString &device : devices) {
            const QString path = PortLock(folder).lockFilePath(device);
            if (QFile::exists(path))
                found.append(path);
        }
    }
    return found;
}

QList<Outcome> outcomesOf(const LoggerSearch &search)
{
    QList<Outcome> outcomes;
    for (const DeviceFinding &finding : search.findings())
        outcomes.append(finding.outcome);
    return outcomes;
}

// A process that holds a lock file until the test ends it.
class OtherProcess
{
public:
    OtherProcess()
    {
        m_process.start(u"sleep"_s, {u"60"_s});
        m_process.waitForStarted();
    }
    ~OtherProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

} // namespace

class TestLoggerSearch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_locks;

    LoggerSearch::Options options(bool probe, double scale = kTestTimeScale) const
    {
        LoggerSearch::Options result;
        result.probe = probe;
        result.lockFolder = m_locks.path();
        return result.scaled(scale);
    }

    static bool finishes(LoggerSearch &search, int timeoutMs = 5000)
    {
        QSignalSpy finished(&search, &LoggerSearch::finished);
        return finished.wait(timeoutMs) && finished.size() == 1;
    }

private slots:
    void initTestCase() { QVERIFY(m_locks.isValid()); }

    // A logger among silent devices: heard where it calls, and nothing sent anywhere; with the
    // handshake asked for, a logger that never calls answers it, and the silent devices are
    // sent the handshake and nothing else.
    void search_findsTheLoggerAmongSilentDevices_data()
    {
        QTest::addColumn<bool>("neverSendAt");
        QTest::addColumn<bool>("probe");
        QTest::addColumn<Outcome>("loggerOutcome");
        QTest::addColumn<QList<QByteArray>>("loggerHeard");
        QTest::addColumn<QByteArray>("silentHeard");
        QTest::addColumn<Outcome>("silentOutcome");
        QTest::newRow("calls, listened to") << false << false << Outcome::HeardWakeUp << QList<QByteArray>{}
                                            << QByteArray() << Outcome::NoAnswer;
        QTest::newRow("calls, handshake asked for") << false << true << Outcome::HeardWakeUp << QList<QByteArray>{}
                                                    << kHandshake << Outcome::NoAnswer;
        QTest::newRow("never calls, listened to") << true << false << Outcome::NoAnswer << QList<QByteArray>{}
                                                  << QByteArray() << Outcome::NoAnswer;
        QTest::newRow("never calls, handshake asked for")
            << true << true << Outcome::AnsweredHandshake << QList<QByteArray>{"CONNECT"} << kHandshake << Outcome::NoAnswer;
    }

    void search_findsTheLoggerAmongSilentDevices()
    {
        QFETCH(bool, neverSendAt);
        QFETCH(bool, probe);
        QFETCH(Outcome, loggerOutcome);
        QFETCH(QList<QByteArray>, loggerHeard);
        QFETCH(QByteArray, silentHeard);
        QFETCH(Outcome, silentOutcome);

        SimulatedLoggerFixture logger(SimulatedLoggerOptions{.neverSendAt = neverSendAt}.scaled(kTestTimeScale));
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        PtyPeer first;
        PtyPeer last;
        QVERIFY(first.isValid() && last.isValid());
        const QStringList devices{first.devicePath(), logger.devicePath(), last.devicePath()};

        LoggerSearch search;
        search.start(devices, options(probe));
        QVERIFY(search.isRunning());
        QVERIFY(finishes(search));

        QCOMPARE(outcomesOf(search), (QList<Outcome>{silentOutcome, loggerOutcome, silentOutcome}));
        QCOMPARE(search.findings().at(1).device, logger.devicePath());
        QCOMPARE(search.findings().at(1).isLogger(), loggerOutcome != Outcome::NoAnswer);
        QCOMPARE(logger.logger().receivedLines(), loggerHeard);
        QCOMPARE(first.received(), silentHeard);
        QCOMPARE(last.received(), silentHeard);
        QCOMPARE(lockFilesOf(devices, m_locks.path()), QStringList());
        QTRY_COMPARE(logger.logger().phase(), SimulatedLogger::Phase::Released);
    }

    // A device another program holds is not opened, and says why; the others are searched.
    void search_leavesAHeldDeviceAlone()
    {
        SimulatedLoggerFixture logger(SimulatedLoggerOptions{}.scaled(kTestTimeScale));
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        PtyPeer held;
        QVERIFY(held.isValid());
        OtherProcess holder;
        QVERIFY(holder.pid() > 0);
        const QString lockFile = PortLock(m_locks.path()).lockFilePath(held.devicePath());
        QFile lock(lockFile);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(holder.pid()).rightJustified(10, ' ') + '\n');
        lock.close();

        LoggerSearch search;
        search.start({held.devicePath(), logger.devicePath()}, options(true));
        QVERIFY(finishes(search));

        QCOMPARE(outcomesOf(search), (QList<Outcome>{Outcome::NotOpened, Outcome::HeardWakeUp}));
        const DeviceFinding &finding = search.findings().at(0);
        QCOMPARE(finding.problem, PortOpenFailure::Problem::InUse);
        QVERIFY2(finding.reason.contains(QString::number(holder.pid())), qPrintable(finding.reason));
        QCOMPARE(held.received(), QByteArray());
        QVERIFY2(QFile::exists(lockFile), "the other program's lock file was removed");
        QVERIFY(QFile::remove(lockFile));
    }

    // However a search ends early, every port closes and every lock goes at once, and the
    // device that went away is told apart.
    void search_releasesEverythingWhenItEndsEarly_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Outcome>("peerOutcome");
        QTest::newRow("cancelled") << u"cancel"_s << Outcome::Cancelled;
        QTest::newRow("destroyed") << u"destroy"_s << Outcome::Cancelled;
        QTest::newRow("started afresh") << u"restart"_s << Outcome::Cancelled;
        QTest::newRow("device went away") << u"hang up"_s << Outcome::LineLost;
    }

    void search_releasesEverythingWhenItEndsEarly()
    {
        QFETCH(QString, how);
        QFETCH(Outcome, peerOutcome);

        SimulatedLoggerFixture logger(SimulatedLoggerOptions{.neverSendAt = true});
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        PtyPeer peer;
        QVERIFY(peer.isValid());
        const QStringList devices{peer.devicePath(), logger.devicePath()};

        auto search = std::make_unique<LoggerSearch>();
        QSignalSpy finished(search.get(), &LoggerSearch::finished);
        search->start(devices, options(true, 1.0)); // listens for five seconds
        QTRY_COMPARE(logger.logger().phase(), SimulatedLogger::Phase::Waking);
        QCOMPARE(lockFilesOf(devices, m_locks.path()).filter(m_locks.path()).size(), 2);

        if (how == u"cancel") {
            search->cancel();
            QCOMPARE(outcomesOf(*search), (QList<Outcome>{peerOutcome, Outcome::Cancelled}));
            QVERIFY(!search->isRunning());
            QCOMPARE(lockFilesOf(devices, m_locks.path()), QStringList());
            QVERIFY(finished.wait(1000));
        } else if (how == u"destroy") {
            search.reset();
            QCOMPARE(lockFilesOf(devices, m_locks.path()), QStringList());
        } else if (how == u"restart") {
            search->start({peer.devicePath()}, options(false));
            QCOMPARE(lockFilesOf({logger.devicePath()}, m_locks.path()), QStringList());
            QVERIFY(finished.wait(2000));
            QCOMPARE(outcomesOf(*search), (QList<Outcome>{Outcome::NoAnswer}));
            QCOMPARE(finished.size(), 1); // the search cancelled by the new one does not report its end
        } else {
            peer.hangUp();
            QTRY_COMPARE(search->findings().at(0).outcome, peerOutcome);
            QVERIFY(search->isRunning());
            search->cancel();
        }
        QTRY_COMPARE(logger.logger().phase(), SimulatedLogger::Phase::Released);
        QCOMPARE(logger.logger().receivedLines(), QList<QByteArray>());
        if (search)
            QCOMPARE(lockFilesOf(devices, m_locks.path()), QStringList());
    }

    void search_ofNoDevice_endsAtOnce()
    {
        LoggerSearch search;
        search.start({}, options(false));
        QVERIFY(finishes(search, 1000));
        QVERIFY(search.findings().isEmpty());
    }

    // Each device once, by the name lock files go by; names that lead nowhere are left out.
    void candidates_areTheListedAndTheComDevices_eachOnce()
    {
        PtyPeer listed;
        PtyPeer mapped;
        QVERIFY(listed.isValid() && mapped.isValid());
        QTemporaryDir folder;
        const QString ports = folder.filePath(u"ports"_s);
        QVERIFY(QDir().mkpath(ports));
        const QString alias = folder.filePath(u"alias"_s);
        QVERIFY(QFile::link(listed.devicePath(), alias));
        QVERIFY(mapped.mapAsPort(ports, 2));
        QVERIFY(mapped.mapAsPort(ports, 5));
        QVERIFY(listed.mapAsPort(ports, 7));
        // The others lead nowhere, so no device of this machine comes into the test.
        QString error;
        for (int number : {1, 3, 4, 6, 8, 9})
            QVERIFY2(PortNames::mapPort(number, folder.filePath(u"unplugged%1"_s.arg(number)), ports, &error), qPrintable(error));

        QCOMPARE(searchCandidates({alias, u"/dev/no-such-tty"_s, listed.devicePath()}, ports),
                 (QStringList{listed.devicePath(), mapped.devicePath()}));
    }

    // telvaro-cli ports --find: a line per device, and whether a logger was found in the status.
    void cliFind_reportsEveryDevice_data()
    {
        QTest::addColumn<bool>("neverSendAt");
        QTest::addColumn<bool>("probe");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("loggerLine");
        QTest::addColumn<QString>("silentLine");
        QTest::newRow("called") << false << false << 0 << u"%1 (COM4): logger found: it called (\"AT\")"_s
                                << u"%1: no logger called"_s;
        QTest::newRow("answered") << true << true << 0
                                  << u"%1 (COM4): logger found: it answered the handshake (\"READY\")"_s
                                  << u"%1: no logger: no call, and no answer to the handshake"_s;
        QTest::newRow("none") << true << false << 1 << u"%1 (COM4): no logger called"_s << u"%1: no logger called"_s;
    }

    void cliFind_reportsEveryDevice()
    {
        QFETCH(bool, neverSendAt);
        QFETCH(bool, probe);
        QFETCH(int, status);
        QFETCH(QString, loggerLine);
        QFETCH(QString, silentLine);

        SimulatedLoggerFixture logger(SimulatedLoggerOptions{.neverSendAt = neverSendAt}.scaled(kTestTimeScale), 4);
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        PtyPeer silent;
        QVERIFY(silent.isValid());
        QString out;
        QString err;
        Console console(&out, &err);
        QCOMPARE(PortsCommand::find({logger.devicePath(), silent.devicePath()}, options(probe), logger.portsFolder(), console),
                 status);
        QCOMPARE(out, loggerLine.arg(logger.devicePath()) + u'\n' + silentLine.arg(silent.devicePath()) + u'\n');
        QCOMPARE(err.endsWith(u"No logger found.\n"_s), status == 1);
    }

    // The command line itself, once at the program's own pace: a logger that calls at once ends
    // the search at once.
    void cliFind_commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("found") << QStringList{u"--find"_s, u"LOGGER"_s} << 0 << u"LOGGER: logger found: it called (\"AT\")\n"_s;
        QTest::newRow("no such device") << QStringList{u"--find"_s, u"/dev/ttyUSB77"_s} << 2 << QString();
        QTest::newRow("with --assign") << QStringList{u"--find"_s, u"--assign"_s, u"COM1"_s, u"LOGGER"_s} << 2 << QString();
        QTest::newRow("--probe alone") << QStringList{u"--probe"_s} << 2 << QString();
        QTest::newRow("unoffered speed") << QStringList{u"--find"_s, u"--speed"_s, u"1234"_s, u"LOGGER"_s} << 2 << QString();
    }

    void cliFind_commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);

        SimulatedLoggerFixture logger;
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        QTemporaryDir config;
        arguments.replaceInStrings(u"LOGGER"_s, logger.devicePath());
        const CliRun run = runCli(QStringList{u"ports"_s} + arguments, {{u"XDG_CONFIG_HOME"_s, config.path()}});
        QCOMPARE(run.exitCode, status);
        QCOMPARE(run.out, output.replace(u"LOGGER"_s, logger.devicePath()));
        QCOMPARE(run.err.isEmpty(), false);
        QCOMPARE(lockFilesOf({logger.devicePath()}, m_locks.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestLoggerSearch)
#include "tst_logger_search.moc"
