#include "link/port_names.h"
#include "settings/settings_file.h"
#include "support/cli_process.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// telvaro-cli against a simulated logger over a pseudo-terminal, at the protocol's own pace: a
// well-behaved logger is read in about a second. The slow failures run in-process, scaled
// (tst_cli_commands).
class TestCliLogger : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    QTemporaryDir m_loggerFolder;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;
    QTemporaryDir m_files;
    int m_fileCount = 0;

    // COM2 leads to the logger, through the ports folder of the command's own configuration.
    CliRun cli(const QStringList &arguments) const
    {
        return runCli(arguments, {{u"XDG_CONFIG_HOME"_s, m_config.path()}});
    }
    // A settings file in a folder of the test's own.
    QString file(const QByteArray &bytes)
    {
        return writeFile(m_files.filePath(u"file%1.txt"_s.arg(++m_fileCount)), bytes);
    }
    QStringList heardLines() const
    {
        QStringList lines;
        for (const QByteArray &line : m_logger->logger().receivedLines())
            lines.append(QString::fromLatin1(line));
        return lines;
    }

private slots:
    void init()
    {
        const SimulatedLoggerOptions options{.settingsFile = m_loggerFolder.filePath(u"logger.txt"_s)};
        QFile::remove(options.settingsFile);
        m_logger = std::make_unique<SimulatedLoggerFixture>(options);
        QVERIFY2(m_logger->isValid(), qPrintable(m_logger->errorString()));
        QString error;
        QVERIFY2(PortNames::mapPort(2, m_logger->devicePath(), m_config.filePath(u"telvaro/ports"_s), &error),
                 qPrintable(error));
    }

    void read_givesEveryItemAsTheLoggerHoldsIt()
    {
        const CliRun run = cli({u"read"_s, u"com2"_s});
        QCOMPARE(run.exitCode, 0);
        const SettingsFileContents file = parseSettingsFile(run.out.toUtf8());
        QVERIFY(file.errors.isEmpty());
        QCOMPARE(file.settings.count(), SettingsItems::kCount);
        QCOMPARE(*file.settings.value(u"model"), u"GSN"_s);
        QCOMPARE(*file.settings.value(u"channels"), QString::number(m_logger->logger().channelCount()));
        for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item) {
            const QString &name = SettingsItems::at(item).name;
            QCOMPARE(*file.settings.value(item), m_logger->logger().value(name));
        }
        // The status texts of the read with the lines answered of all, line by line off a terminal.
        QVERIFY2(run.err.startsWith(u"COM2: 通信接続中 0/72\nCOM2: Ch情報取得中 0/72\nCOM2: Ch情報取得終了 48/72\n"_s),
                 qPrintable(run.err));
        QVERIFY2(run.err.endsWith(u"COM2: 読込完了 72/72\n"_s), qPrintable(run.err));
    }

    void write_changesTheItems_andReadsThemBack()
    {
        const CliRun run = cli({u"write"_s, u"COM2"_s, file("model=GSN\nmode1=127\nCAPOPID=unit7\nCAPOPPASS=secret7\nCAAPN=???\n")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"COM2: 3 item(s) changed\n"
                          "  mode1 (要素名 2): \"湿度 (002)\" -> \"未使用 (127)\"\n"
                          "  CAPOPID (POPID): \"logger01\" -> \"unit7\"\n"
                          "  CAPOPPASS (POPPASS): ******** -> ********\n"
                          "COM2: every item read back as written\n"_s);
        QCOMPARE(m_logger->logger().value(u"CAPOPID"_s), u"unit7"_s);
        QCOMPARE(m_logger->logger().value(u"CAPOPPASS"_s), u"secret7"_s);
        QCOMPARE(m_logger->logger().value(u"CAAPN"_s), u"example.apn"_s);
        QVERIFY2(run.err.contains(u"COM2: 書込完了 88/88\n"_s), qPrintable(run.err));
    }

    void read_mistakes_sendNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no port") << QStringList{u"read"_s} << 2 << u"one port is needed"_s;
        QTest::newRow("COM10") << QStringList{u"read"_s, u"COM10"_s} << 2 << u"\"COM10\" is no port name from COM1 to COM9"_s;
        QTest::newRow("speed") << QStringList{u"read"_s, u"--speed"_s, u"9601"_s, u"COM2"_s} << 2
                               << u"no line speed 9601: one of 300, 600,"_s;
        QTest::newRow("missing device") << QStringList{u"read"_s, u"/dev/ttyUSB77"_s} << 2
                                        << u"telvaro-cli read: /dev/ttyUSB77: there is no such device"_s;
        QTest::newRow("not a terminal") << QStringList{u"read"_s, u"/dev/zero"_s} << 2
                                        << u"/dev/zero: it is no terminal device, so no serial port"_s;
        QTest::newRow("diff, not a terminal") << QStringList{u"diff"_s, u"/dev/null"_s, u"/dev/null"_s} << 2
                                              << u"telvaro-cli diff: /dev/null: it is no terminal device"_s;
    }

    void read_mistakes_sendNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliRun run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(heardLines(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliLogger)
#include "tst_cli_logger.moc"
