#include "link/port_names.h"
#include "ports/serial_ports.h"
#include "simulator/pseudo_terminal_port.h"
#include "support/cli_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// `telvaro-cli ports`, with a configuration folder of its own for the COM links.
class TestCliPorts : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    std::unique_ptr<PseudoTerminalPort> m_terminal;

    QString portsFolder() const { return m_config.filePath(u"telvaro/ports"_s); }
    CliRun ports(const QStringList &arguments) const
    {
        return runCli(QStringList{u"ports"_s} + arguments, {{u"XDG_CONFIG_HOME"_s, m_config.path()}});
    }

private slots:
    void init()
    {
        QVERIFY(m_config.isValid());
        QDir(portsFolder()).removeRecursively();
        QString error;
        m_terminal = PseudoTerminalPort::create(&error);
        QVERIFY2(m_terminal, qPrintable(error));
    }

    void assign_linksTheComNameToTheDevice_andTheListShowsIt()
    {
        const QString device = m_terminal->devicePath();
        const CliRun assigned = ports({u"--assign"_s, u"com3"_s, device});
        QCOMPARE(assigned.exitCode, 0);
        QCOMPARE(assigned.out, u"COM3 now leads to %1\n"_s.arg(device));
        QCOMPARE(QFileInfo(PortNames::linkPath(3, portsFolder())).symLinkTarget(), device);

        const CliRun listed = ports({});
        QCOMPARE(listed.exitCode, 0);
        QVERIFY2(listed.out.contains(u"COM names (links in %1):\n"_s.arg(portsFolder())), qPrintable(listed.out));
        QVERIFY2(listed.out.contains(u"\n  COM3  %1\n"_s.arg(device)), qPrintable(listed.out));
        QVERIFY2(listed.out.contains(u"\n  COM2  /dev/ttyS1"_s), qPrintable(listed.out));

        // The adapter is unplugged: its stable name goes away with it (a pseudo-terminal's own
        // number may be taken at once by another test's), and the list says it is gone.
        QTemporaryDir byId;
        const QString stable = byId.filePath(u"usb-FTDI_FT232R_USB_UART_A10K3L-if00-port0"_s);
        QVERIFY(QFile::link(device, stable));
        QCOMPARE(ports({u"--assign"_s, u"COM3"_s, stable}).exitCode, 0);
        QVERIFY(QFile::remove(stable));
        const CliRun gone = ports({});
        QVERIFY2(gone.out.contains(u"\n  COM3  %1  (no such device)\n"_s.arg(stable)), qPrintable(gone.out));
    }

    void remove_takesTheLinkAway_once()
    {
        const QString device = m_terminal->devicePath();
        QCOMPARE(ports({u"--assign"_s, u"COM5"_s, device}).exitCode, 0);
        const CliRun removed = ports({u"--remove"_s, u"com5"_s});
        QCOMPARE(removed.exitCode, 0);
        QCOMPARE(removed.out, u"COM5 no longer leads to %1\n"_s.arg(device));
        QVERIFY(!QFileInfo(PortNames::linkPath(5, portsFolder())).isSymLink());
        const CliRun again = ports({u"--remove"_s, u"COM5"_s});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, u"COM5 was not assigned; it leads to /dev/ttyS4\n"_s);
        QCOMPARE(ports({u"--remove"_s, u"COM5"_s, u"--assign"_s, u"COM5"_s, device}).exitCode, 2);
    }

    void assign_keepsTheOperatorsOwnLink()
    {
        QTemporaryDir own;
        const QString named = own.filePath(u"logger-left"_s);
        QVERIFY(QFile::link(m_terminal->devicePath(), named));
        const CliRun assigned = ports({u"--assign"_s, u"COM1"_s, named});
        QCOMPARE(assigned.exitCode, 0);
        QCOMPARE(QFileInfo(PortNames::linkPath(1, portsFolder())).symLinkTarget(), named);
    }

    void assign_refusesWhatIsNoSerialDevice_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing device") << QStringList{u"--assign"_s, u"COM2"_s, u"/dev/ttyUSB77"_s} << 2
                                        << u"/dev/ttyUSB77: there is no such device"_s;
        QTest::newRow("regular file") << QStringList{u"--assign"_s, u"COM2"_s, QStringLiteral(TELVARO_APP_DIR "/auth.ini")} << 2
                                      << u"auth.ini: it is a file, not a serial device"_s;
        QTest::newRow("folder") << QStringList{u"--assign"_s, u"COM2"_s, QStringLiteral(TELVARO_APP_DIR)} << 2
                                << u"it is a folder, not a serial device"_s;
        QTest::newRow("/dev/null") << QStringList{u"--assign"_s, u"COM2"_s, u"/dev/null"_s} << 2
                                   << u"/dev/null: it is no terminal device, so no serial port"_s;
        QTest::newRow("COM10") << QStringList{u"--assign"_s, u"COM10"_s, u"/dev/null"_s} << 2
                               << u"\"COM10\" is no port name from COM1 to COM9"_s;
        QTest::newRow("no device") << QStringList{u"--assign"_s, u"COM2"_s} << 2 << u"--assign needs one device"_s;
        QTest::newRow("device without --assign") << QStringList{u"/dev/null"_s} << 2 << u"only with --assign"_s;
    }

    void assign_refusesWhatIsNoSerialDevice()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const CliRun run = ports(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo(PortNames::linkPath(2, portsFolder())).isSymLink());
    }

    void stablePath_isTheByIdEntryOfTheSameDevice()
    {
        QTemporaryDir byId;
        const QString device = m_terminal->devicePath();
        const QString entry = byId.filePath(u"usb-FTDI_FT232R_USB_UART_A10K3L-if00-port0"_s);
        QVERIFY(QFile::link(u"/dev/null"_s, byId.filePath(u"usb-other-if00"_s)));
        QCOMPARE(stablePathOf(device, byId.path()), QString());
        QVERIFY(QFile::link(device, entry));
        QCOMPARE(stablePathOf(device, byId.path()), entry);
        QCOMPARE(stablePathOf(u"/dev/ttyUSB77"_s, byId.path()), QString());
        QCOMPARE(stablePathOf(device, u"/nonexistent"_s), QString());
    }
};

QTEST_GUILESS_MAIN(TestCliPorts)
#include "tst_cli_ports.moc"
