#include "settings/settings_file.h"
#include "support/cli_session.h"
#include "support/file_mode.h"
#include "support/simulated_logger_fixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The logger commands of telvaro-cli run inside the test, at the tests' pace, against simulated
// loggers on pseudo-terminals: what they say and their exit status.
class TestCliCommands : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    QTemporaryDir m_files;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;

    QString file(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_files.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    CommandRun command(const QStringList &arguments) const
    {
        return runCommand(arguments, testSessionSetup(m_folder, m_logger->portsFolder()));
    }
    bool heardAWrite() const
    {
        for (const QByteArray &line : m_logger->logger().receivedLines()) {
            if (line.contains('='))
                return true;
        }
        return false;
    }

private slots:
    void init()
    {
        m_logger = std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale));
        QVERIFY2(m_logger->isValid(), qPrintable(m_logger->errorString()));
    }

    void read_intoAFile_ownerOnly_andQuiet()
    {
        const QString path = m_files.filePath(u"read.txt"_s);
        const CommandRun run = command({u"read"_s, u"--quiet"_s, u"-o"_s, path, m_logger->devicePath()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QString());
        SettingsFileContents read;
        QString reason;
        QVERIFY2(readSettingsFile(path, &read, &reason), qPrintable(reason));
        QCOMPARE(*read.settings.value(u"CAPOPPASS"), m_logger->logger().value(u"CAPOPPASS"_s));
        QCOMPARE(modeOf(path), kOwnerOnly);
    }

    void diff_ofALoggerAndAFile_comparesTheItemsTheFileGives()
    {
        QCOMPARE(command({u"diff"_s, u"COM1"_s, file(u"same.txt"_s, "model=GSN\nCAPOPID=logger01\n")}).exitCode, 0);
        const QString other = file(u"other.txt"_s, "CAPOPID=unit7\nCAPOPPASS=poppass01\n");
        const CommandRun differs = command({u"diff"_s, u"--quiet"_s, u"COM1"_s, other});
        QCOMPARE(differs.exitCode, 1);
        QCOMPARE(differs.out, u"< COM1\n> %1\nCAPOPID (POPID)\n  < \"logger01\"\n  > \"unit7\"\n"_s.arg(other));
        QCOMPARE(differs.err, u"1 item(s) differ\n"_s);
        QVERIFY(!heardAWrite());
    }

    void write_ofAnotherModelsChannelItems_isRefused_withNothingWritten()
    {
        const CommandRun run = command({u"write"_s, u"--quiet"_s, u"com1"_s, file(u"qan.txt"_s, "model=QAN\nmode0=001\nCAPOPID=unit7\n")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, u"COM1: the settings are for model QAN and this logger is a GSN: their channel items (mode, "
                          "ALARM) would set other channels here; nothing was written\n"_s);
        QVERIFY(!heardAWrite());
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
