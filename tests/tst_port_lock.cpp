#include "base/port_choice.h"
#include "base/run_time_error.h"
#include "exchange/exchange_failure.h"
#include "exchange/exchange_session.h"
#include "link/link.h"
#include "link/port_lock.h"
#include "link/qt_serial_line.h"
#include "link/speed_table.h"
#include "state/settings_state.h"
#include "support/pty_peer.h"
#include "support/sequence_rig.h"
#include "support/simulated_logger_fixture.h"
#include "support/temp_app_folder.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPort = 4;

QByteArray commonFormat(qint64 pid)
{
    return QByteArray::number(pid).rightJustified(10, ' ') + '\n';
}

// A process that runs until the test ends it.
class OtherProcess
{
public:
    OtherProcess()
    {
        m_process.start(u"sleep"_s, {u"60"_s});
        m_process.waitForStarted();
    }
    ~OtherProcess() { end(); }
    qint64 pid() const { return m_pid; }
    bool isRunning() { return m_process.state() == QProcess::Running && (m_pid = m_process.processId()) > 0; }
    void end()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
    qint64 m_pid = 0;
};

// What stands in the lock folder before the port is opened.
enum class Before { Nothing, LiveCommonFormat, LiveWithProgramName, FirstProcess, EndedProcess, ThisProcess,
                    Empty, NoProcessId };

} // namespace

Q_DECLARE_METATYPE(Before)

class TestPortLock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_ports = std::make_unique<QTemporaryDir>();
        m_locks = std::make_unique<QTemporaryDir>();
        m_peer = std::make_unique<PtyPeer>();
        QVERIFY(m_peer->isValid());
        QVERIFY(m_peer->mapAsPort(m_ports->path(), kPort));
        m_line = std::make_unique<QtSerialLine>(m_ports->path(), m_locks->path());
        m_lockFile = m_locks->filePath(PortLock::lockFileName(m_peer->devicePath()));
    }

    void cleanup()
    {
        m_line.reset();
        m_peer.reset();
        m_locks.reset();
        m_ports.reset();
    }

    void lockFileName_followsTheDevice_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("name");
        QTest::newRow("serial port") << u"/dev/ttyS0"_s << u"LCK..ttyS0"_s;
        QTest::newRow("USB adapter") << u"/dev/ttyUSB0"_s << u"LCK..ttyUSB0"_s;
        QTest::newRow("pseudo-terminal") << u"/dev/pts/3"_s << u"LCK..pts_3"_s;
    }

    void lockFileName_followsTheDevice()
    {
        QFETCH(QString, device);
        QFETCH(QString, name);
        QCOMPARE(PortLock::lockFileName(device), name);
    }

    void opening_takesOrRefusesTheLock_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<bool>("opens");
        QTest::newRow("no lock") << Before::Nothing << true;
        QTest::newRow("a live dial-out program's lock") << Before::LiveCommonFormat << false;
        QTest::newRow("a live program's lock with its name") << Before::LiveWithProgramName << false;
        // Another user's process when the tests run unprivileged: it cannot be signalled.
        QTest::newRow("the first process's lock") << Before::FirstProcess << false;
        QTest::newRow("an ended process's lock") << Before::EndedProcess << true;
        QTest::newRow("a lock this process left") << Before::ThisProcess << true;
        QTest::newRow("an empty lock") << Before::Empty << false;
        QTest::newRow("a lock without a process id") << Before::NoProcessId << false;
    }

    void opening_takesOrRefusesTheLock()
    {
        QFETCH(Before, before);
        QFETCH(bool, opens);

        OtherProcess other;
        QVERIFY(other.isRunning());
        qint64 holder = 0;
        switch (before) {
        case Before::Nothing:
            break;
        case Before::LiveCommonFormat:
            holder = other.pid();
            writeFile(m_lockFile, commonFormat(holder));
            break;
        case Before::LiveWithProgramName:
            holder = other.pid();
            writeFile(m_lockFile, QByteArray::number(holder) + "\nminicom\nlocalhost\n");
            break;
        case Before::FirstProcess:
            holder = 1;
            writeFile(m_lockFile, commonFormat(holder));
            break;
        case Before::EndedProcess:
            holder = other.pid();
            other.end();
            writeFile(m_lockFile, commonFormat(holder));
            break;
        case Before::ThisProcess:
            writeFile(m_lockFile, commonFormat(::getpid()));
            break;
        case Before::Empty:
            writeFile(m_lockFile, QByteArray());
            break;
        case Before::NoProcessId:
            writeFile(m_lockFile, "locked\n");
            break;
        }
        const QByteArray lockBefore = readFile(m_lockFile);

        if (opens) {
            QVERIFY(!m_line->open(kPort, SpeedTable().at(5)));
            QVERIFY(m_line->isOpen());
            QCOMPARE(readFile(m_lockFile), commonFormat(::getpid()));
            m_line->release();
            QVERIFY(!QFileInfo::exists(m_lockFile));
            return;
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot open "_s));
        const std::optional<PortOpenFailure> failure = m_line->open(kPort, SpeedTable().at(5));
        QVERIFY2(failure, "the port opened under another program's lock");
        QCOMPARE(failure->problem, PortOpenFailure::Problem::InUse);
        QVERIFY2(failure->reason.contains(m_lockFile), qPrintable(failure->reason));
        if (holder != 0)
            QVERIFY2(failure->reason.contains(u"process %1 "_s.arg(holder)), qPrintable(failure->reason));
        // The holder's id and name reach the failure details as facts of their own.
        QCOMPARE(failure->holderPid, holder);
        QCOMPARE(failure->lockFile, holder != 0 ? m_lockFile : QString());
        if (holder == other.pid())
            QCOMPARE(failure->holderProgram, u"sleep"_s);
        QVERIFY(!m_line->isOpen());
        QCOMPARE(readFile(m_lockFile), lockBefore);
        QVERIFY(QFileInfo::exists(m_lockFile));
    }

    // Someone else's lock that appears in the meantime stays when the port is released.
    void release_leavesALockThatIsNoLongerOurs()
    {
        QVERIFY(!m_line->open(kPort, SpeedTable().at(5)));
        writeFile(m_lockFile, commonFormat(1));
        m_line->release();
        QCOMPARE(readFile(m_lockFile), commonFormat(1));
    }

    void lockFolderThatCannotBeWritten_leavesThePortUnlocked()
    {
        QtSerialLine line(m_ports->path(), m_locks->filePath(u"missing"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"the port goes unlocked$"_s));
        QVERIFY(!line.open(kPort, SpeedTable().at(5)));
        QVERIFY(line.isOpen());
        line.release();
    }

    // The read's error path: the message box, nothing sent, the other program's lock kept; the
    // cause goes into the log for a detailed message.
    void readOfAPortInUse_failsWithoutTouchingTheLine()
    {
        SimulatedLoggerFixture logger({}, 1);
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        OtherProcess other;
        QVERIFY(other.isRunning());
        const QString lockFile = m_locks->filePath(PortLock::lockFileName(logger.devicePath()));
        writeFile(lockFile, commonFormat(other.pid()));

        TempAppFolder folder(TempAppFolder::allInstallFiles());
        ExchangeSession session(folder.appFolder(), std::make_unique<QtSerialLine>(logger.portsFolder(), m_locks->path()));
        RecordingScreen screen(session.screen());
        session.setBoxes(&screen);
        const QString cause = u"in use by process %1 (lock file %2)"_s.arg(other.pid()).arg(lockFile);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot open .*"_s + QRegularExpression::escape(cause)));
        const ExchangeResult read = runToEnd(session, &ExchangeSession::startRead, PortChoice{0, 5});

        QCOMPARE(read.failure.cause, ExchangeFailure::Cause::PortNotOpened);
        QCOMPARE(read.failure.portProblem, PortOpenFailure::Problem::InUse);
        QCOMPARE(describe(read.failure).section(u'\n', 1, 1),
                 u"COM1 is in use by another program (sleep, process %1) (lock file %2)."_s.arg(other.pid()).arg(lockFile));
        QCOMPARE(screen.messages(), QStringList{u"通信ポートを開けません。"_s});
        QVERIFY(!session.line().isOpen());
        QVERIFY(logger.logger().receivedLines().isEmpty());
        QCOMPARE(readFile(lockFile), commonFormat(other.pid()));
    }

private:
    std::unique_ptr<QTemporaryDir> m_ports;
    std::unique_ptr<QTemporaryDir> m_locks;
    std::unique_ptr<PtyPeer> m_peer;
    std::unique_ptr<QtSerialLine> m_line;
    QString m_lockFile;
};

QTEST_MAIN(TestPortLock)
#include "tst_port_lock.moc"
