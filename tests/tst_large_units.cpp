#include "link/port_names.h"
#include "settings/units_file.h"
#include "simulator/simulator_port.h"
#include "support/cli_session.h"
#include "support/pty_peer.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 10000;
// Generous for a loaded machine; a step that grows with the square of the rows takes minutes.
constexpr qint64 kBoundMs = 2000;

// A units file of kRows rows, each with the port row(i) gives it and values of every kind.
QByteArray unitsFile(const std::function<QByteArray(int)> &portOfRow, const QByteArray &lastRow = {})
{
    QByteArray bytes = "port,CAPOPID,CAPOPPASS,CAFROMADDRESS,CATELNO\r\n";
    for (int row = 0; row < kRows; ++row) {
        const QByteArray number = QByteArray::number(row);
        bytes += portOfRow(row) + ",unit-" + number + ",\"p,w\"\"" + number + "\",unit-" + number + "@example.jp,0120" + number + "\r\n";
    }
    return bytes + lastRow;
}

} // namespace

// Units files of thousands of loggers are read and checked in time that grows with their size;
// a provision runs no more loggers at once than --jobs allows.
class TestLargeUnits : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    QTemporaryDir m_files;

private slots:
    void largeUnitsFile_isReadAndCheckedQuickly_data()
    {
        QTest::addColumn<QByteArray>("units");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("messages"); // how many lines of standard error say it

        const auto device = [](int row) { return "/nonexistent/tty" + QByteArray::number(row); };
        // Every row is read and its port found distinct from the others before the devices are
        // looked at: the first missing one is named, once.
        QTest::newRow("good rows") << unitsFile(device) << QStringList{u"--jobs"_s, u"2"_s} << 2
                                   << u"/nonexistent/tty0: there is no such device"_s << 1;
        QTest::newRow("one device named twice, at the end")
            << unitsFile(device, "/nonexistent/../nonexistent/tty0,a,b,c@d,0\r\n") << QStringList() << 2
            << u"lead to the same device"_s << 1;
        QTest::newRow("every row repeats the port") << unitsFile([](int) { return QByteArray("COM1"); }) << QStringList()
                                                    << 2 << u"port \"COM1\" already has the row on line 2"_s << kRows - 1;
        QTest::newRow("a value missing in the last row") << unitsFile(device, "/dev/ttyX,,b,c@d,0\r\n") << QStringList() << 2
                                                         << u"line %1, column 2 (CAPOPID): no value"_s.arg(kRows + 2) << 1;
        // --port names a terminal of no row: every row is looked at, and each says why it is none.
        QTest::newRow("rows without --port") << unitsFile(device) << QStringList{u"--port"_s, u"@terminal"_s} << 2
                                             << u"there is no such device"_s << kRows;
    }

    void largeUnitsFile_isReadAndCheckedQuickly()
    {
        QFETCH(QByteArray, units);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(int, messages);
        const QString path = writeFile(m_files.filePath(u"units.csv"_s), units);
        const QString templatePath = writeFile(m_files.filePath(u"template.txt"_s), "model=GSN\n");
        QVERIFY(units.size() > 500 * 1024);

        QElapsedTimer clock;
        clock.start();
        const PtyPeer terminal;
        QVERIFY(terminal.isValid());
        options.replaceInStrings(u"@terminal"_s, terminal.devicePath());
        const CommandRun run = runCommand(QStringList{u"provision"_s, templatePath, u"--units"_s, path} + options,
                                          testSessionSetup(m_folder, m_files.path()));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err.count(message), messages);
        QVERIFY2(elapsed < kBoundMs, qPrintable(u"%1 ms"_s.arg(elapsed)));

        // The file alone, as the library reads it.
        clock.restart();
        const UnitsFileContents contents = parseUnitsFile(units);
        QVERIFY2(clock.elapsed() < kBoundMs, qPrintable(u"%1 ms"_s.arg(clock.elapsed())));
        QVERIFY(contents.units.size() + contents.errors.size() >= kRows);
    }

    void jobs_limitTheLoggersHeldAtOnce_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("mostHeld");
        QTest::addColumn<int>("waiting"); // loggers that showed "waiting"

        QTest::newRow("--jobs 2") << QStringList{u"--jobs"_s, u"2"_s} << 2 << 2;
        QTest::newRow("all at once by default") << QStringList() << 4 << 0;
    }

    void jobs_limitTheLoggersHeldAtOnce()
    {
        QFETCH(QStringList, options);
        QFETCH(int, mostHeld);
        QFETCH(int, waiting);

        // Four loggers: how many lines the tool holds open at once, as the loggers see it.
        QTemporaryDir ports;
        std::vector<std::unique_ptr<SimulatedLoggerFixture>> loggers;
        int held = 0;
        int most = 0;
        QByteArray units = "port,CAPOPID\n";
        for (int number = 1; number <= 4; ++number) {
            loggers.push_back(std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale)));
            SimulatedLoggerFixture &logger = *loggers.back();
            QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
            QString error;
            QVERIFY2(PortNames::mapPort(number, logger.devicePath(), ports.path(), &error), qPrintable(error));
            connect(&logger.logger().port(), &SimulatorPort::held, this, [&] { most = std::max(most, ++held); });
            connect(&logger.logger().port(), &SimulatorPort::released, this, [&] { --held; });
            units += "COM" + QByteArray::number(number) + ",unit" + QByteArray::number(number) + "\n";
        }
        const CommandRun run = runCommand(QStringList{u"provision"_s, writeFile(m_files.filePath(u"t.txt"_s), "model=GSN\n"),
                                                      u"--units"_s, writeFile(m_files.filePath(u"u.csv"_s), units)} + options,
                                          testSessionSetup(m_folder, ports.path()));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(most, mostHeld);
        QCOMPARE(int(run.err.count(u": waiting\n"_s)), waiting);
        for (int number = 1; number <= 4; ++number)
            QCOMPARE(loggers.at(std::size_t(number - 1))->logger().value(u"CAPOPID"_s), u"unit%1"_s.arg(number));
    }
};

QTEST_GUILESS_MAIN(TestLargeUnits)
#include "tst_large_units.moc"
