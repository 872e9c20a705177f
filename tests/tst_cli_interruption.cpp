#include "link/port_lock.h"
#include "link/port_names.h"
#include "support/cli_process.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The third line of mail.eep: the simulated logger holds its acknowledgement back, so a signal
// sent when the line arrives finds the write under way.
const QByteArray kSlowKey = "CADATAADDRESS2";
constexpr std::chrono::milliseconds kSlowWrite{800};
// What a whole read sends: "CONNECT", "CAON", "EERM0", "EERC9", the 72 lines of the three read
// scripts and "CAOFF".
constexpr qsizetype kWholeRead = 77;
// The lines of the four script files of a write.
constexpr qsizetype kWriteLines = 88;

} // namespace

// telvaro-cli stopped by signals in the middle of its work, against simulated loggers at the
// protocol's own pace: what each logger was sent, what the command left behind, its report and
// its exit status.
class TestCliInterruption : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config; // the command's configuration: where COM names lead
    QTemporaryDir m_temp;   // its temporary folder, where its script folders go
    QTemporaryDir m_files;

private slots:
    void signals_leaveEveryLoggerInAKnownState_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("loggers");
        QTest::addColumn<QByteArray>("trigger"); // the line of the first logger that sets the signals off
        QTest::addColumn<QList<int>>("signalNumbers");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("endings"); // of each logger's line
        QTest::addColumn<QStringList>("states");  // in the report
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("SIGINT: the write begun finishes, the read stops")
            << u"provision"_s << 2 << kSlowKey + '=' << QList<int>{SIGINT} << 130
            << QStringList{u"write complete"_s, u"read stopped"_s} << QStringList{u"written"_s, u"untouched"_s}
            << QStringList{u"COM1: 書込完了 88/88 (finishing the write)\n"_s, u"COM1: stopped after the write; not read back\n"_s,
                           u"Stopped by SIGINT.\n"_s,
                           u"COM1: written, but not read back; check it (telvaro-cli diff COM1 FILE)\n"_s,
                           u"COM2: nothing was written; run the command again for it\n"_s};
        QTest::newRow("SIGTERM twice: the write stops after the line in flight")
            << u"provision"_s << 1 << kSlowKey + '=' << QList<int>{SIGTERM, SIGTERM} << 143
            << QStringList{u"after the line in flight"_s} << QStringList{u"partly written"_s}
            << QStringList{u"(stopping at once)\n"_s,
                           u"COM1: partly written: Arm.eep 40/40, mail.eep 3/12; stopped during the write\n"_s,
                           u"Stopped by SIGTERM.\n"_s,
                           u"COM1: partly written: Arm.eep 40/40, mail.eep 3/12; run the command again for it to "
                           "complete the write, and check the logger\n"_s};
        QTest::newRow("SIGHUP while reading: nothing is written")
            << u"write"_s << 1 << QByteArray("EERC9") << QList<int>{SIGHUP} << 129 << QStringList{u"read stopped"_s}
            << QStringList{}
            << QStringList{u"(stopping)\n"_s, u"COM1: stopped before the write began; nothing was written\n"_s,
                           u"Stopped by SIGHUP.\nCOM1: nothing was written; run the command again for it\n"_s};
    }

    void signals_leaveEveryLoggerInAKnownState()
    {
        QFETCH(QString, command);
        QFETCH(int, loggers);
        QFETCH(QByteArray, trigger);
        QFETCH(QList<int>, signalNumbers);
        QFETCH(int, exitCode);
        QFETCH(QStringList, endings);
        QFETCH(QStringList, states);
        QFETCH(QStringList, messages);

        // The second logger answers slowly: it is still reading when the first is writing.
        std::vector<std::unique_ptr<SimulatedLoggerFixture>> fixtures;
        QStringList arguments{command};
        for (int i = 0; i < loggers; ++i) {
            SimulatedLoggerOptions options{.slowWriteDelay = kSlowWrite, .slowWriteKey = kSlowKey};
            if (i > 0)
                options.replyDelay = std::chrono::milliseconds(60);
            fixtures.push_back(std::make_unique<SimulatedLoggerFixture>(options));
            QVERIFY2(fixtures.back()->isValid(), qPrintable(fixtures.back()->errorString()));
            QString error;
            QVERIFY2(PortNames::mapPort(i + 1, fixtures.back()->devicePath(), m_config.filePath(u"telvaro/ports"_s), &error),
                     qPrintable(error));
            if (command == u"provision")
                arguments += {u"--port"_s, u"COM%1"_s.arg(i + 1)};
        }
        const QString report = m_files.filePath(u"report.json"_s);
        const QString logs = m_files.filePath(u"logs"_s);
        QFile::remove(report);
        if (command == u"provision")
            arguments += {u"--report"_s, report, u"--log-dir"_s, logs};
        else
            arguments += u"COM1"_s;
        arguments += writeFile(m_files.filePath(u"settings.txt"_s), "model=GSN\nCAPOPID=unit7\n");

        SimulatedLogger &first = fixtures.front()->logger();
        const CliRun run = runCli(arguments, {{u"XDG_CONFIG_HOME"_s, m_config.path()}, {u"TMPDIR"_s, m_temp.path()}},
                                  [&](QProcess &cli) {
            const qint64 pid = cli.processId();
            QObject::connect(&first, &SimulatedLogger::lineReceived, &cli, [&, pid](const QByteArray &line) {
                if (!line.startsWith(trigger) || first.receivedLines().count(line) > 1)
                    return;
                // A person pressing Ctrl+C again does so a moment later.
                for (qsizetype i = 0; i < signalNumbers.size(); ++i) {
                    QTimer::singleShot(i * 300, &cli, [pid, number = signalNumbers.at(i)] { ::kill(pid_t(pid), number); });
                }
            });
        });
        QCOMPARE(run.exitCode, exitCode);
        for (const QString &message : std::as_const(messages))
            QVERIFY2(run.err.contains(message), qPrintable(u"lacks \"%1\" in:\n%2"_s.arg(message, run.err)));

        for (int i = 0; i < loggers; ++i) {
            const QList<QByteArray> &lines = fixtures.at(i)->logger().receivedLines();
            const qsizetype lastCaon = lines.lastIndexOf("CAON");
            const QString ending = endings.at(i);
            if (ending == u"write complete") {
                // Every line of the four files, after a read, and no read-back.
                QCOMPARE(lines.count("CAON"), 2);
                QCOMPARE(lines.size() - lastCaon - 1, kWriteLines);
                QCOMPARE(fixtures.at(i)->logger().value(u"CAPOPID"_s), u"unit7"_s);
            } else if (ending == u"after the line in flight") {
                QCOMPARE(lines.mid(lines.size() - 2).value(0).left(trigger.size()), trigger);
                QCOMPARE(lines.last(), QByteArray("CAOFF"));
                QCOMPARE(fixtures.at(i)->logger().value(u"CAPOPID"_s), u"logger01"_s);
            } else {
                QVERIFY(!fixtures.at(i)->heardAWrite());
                QCOMPARE(lines.count("CAON"), 1);
                QVERIFY2(lines.size() < kWholeRead, qPrintable(u"%1 lines"_s.arg(lines.size())));
                QCOMPARE(lines.last(), QByteArray("CAOFF"));
            }
            // Nothing held: the port's lock file, gone with the port.
            const QString lock = PortLock().lockFilePath(fixtures.at(i)->devicePath());
            QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock));
        }
        // The script folders, with both passwords in them, are gone.
        QCOMPARE(QDir(m_temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

        if (states.isEmpty())
            return;
        QFile json(report);
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonObject record = QJsonDocument::fromJson(json.readAll()).object();
        QCOMPARE(record.value(u"interruptedBy"_s).toString(),
                 signalNumbers.first() == SIGINT ? u"SIGINT"_s : u"SIGTERM"_s);
        const QJsonArray written = record.value(u"loggers"_s).toArray();
        QCOMPARE(written.size(), loggers);
        for (int i = 0; i < loggers; ++i) {
            const QJsonObject logger = written.at(i).toObject();
            QCOMPARE(logger.value(u"state"_s).toString(), states.at(i));
            QCOMPARE(logger.value(u"interrupted"_s), QJsonValue(true));
            // The log so far, the last line the logger was sent included.
            const QByteArray log = readFile(QDir(logs).filePath(u"COM%1.log"_s.arg(i + 1)));
            QVERIFY(log.contains(fixtures.at(i)->logger().receivedLines().last()));
        }
        if (states.first() == u"partly written") {
            const QJsonArray files = written.at(0).toObject().value(u"partlyWritten"_s).toArray();
            QCOMPARE(files.size(), 4);
            QCOMPARE(files.at(1).toObject(),
                     (QJsonObject{{u"file"_s, u"mail.eep"_s}, {u"acknowledged"_s, 3}, {u"lines"_s, 12}}));
            QCOMPARE(files.at(2).toObject().value(u"acknowledged"_s).toInt(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliInterruption)
#include "tst_cli_interruption.moc"
