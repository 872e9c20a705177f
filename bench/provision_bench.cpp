// Provisions N = 1, 4, 16 and 32 simulated loggers at once with telvaro-cli, each logger on its own
// pseudo-terminal, at the protocol's own pace: the wall time of each N as a ratio to N = 1, and
// the processor time telvaro-cli takes per logger, beside that of the same exchange with one
// logger on the main thread (telvaro-cli write: read, write, read back), as the window runs it.
// The processor time of starting the program (telvaro-cli --version) is left out of both.
// Then the wall time of reading and checking a units file of 10,000 rows: every row parsed, its
// port resolved and matched with the loggers named (all but one are not, which ends the run
// before any logger is touched).
#include "simulator/pseudo_terminal_port.h"
#include "simulator/simulated_logger.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

using namespace telvaro::simulator;

using namespace Qt::StringLiterals;

namespace {

constexpr double kMaxWallRatio = 1.3;
const QList<int> kLoggerCounts = {1, 4, 16, 32};
constexpr int kUnitsRows = 10000;
constexpr double kMaxUnitsSeconds = 1.0;

// The processor time of the children that have ended, in seconds.
double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Run
{
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

// One telvaro-cli run while the loggers of this process answer; nothing when it failed.
std::optional<Run> runCli(const QStringList &arguments, QTextStream &err, int expectedExit = 0)
{
    QProcess cli;
    cli.setStandardErrorFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    const double cpuBefore = childrenCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    cli.start(QStringLiteral(TELVARO_APP_DIR "/telvaro-cli"), arguments);
    loop.exec();
    const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    if (cli.state() != QProcess::NotRunning || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != expectedExit) {
        err << "telvaro-cli " << arguments.join(u' ') << " failed:\n" << cli.readAllStandardOutput() << "\n";
        cli.kill();
        cli.waitForFinished();
        return std::nullopt;
    }
    return Run{wallSeconds, childrenCpuSeconds() - cpuBefore};
}

class LoggerBench
{
public:
    bool make(int count, QTextStream &err)
    {
        m_loggers.clear();
        m_devices.clear();
        for (int i = 0; i < count; ++i) {
            QString error;
            std::unique_ptr<PseudoTerminalPort> port = PseudoTerminalPort::create(&error);
            if (!port) {
                err << "no pseudo-terminal: " << error << "\n";
                return false;
            }
            m_devices.append(port->devicePath());
            m_loggers.push_back(std::make_unique<SimulatedLogger>(std::move(port), SimulatedLoggerOptions{}));
        }
        return true;
    }
    const QStringList &devices() const { return m_devices; }

private:
    std::vector<std::unique_ptr<SimulatedLogger>> m_loggers;
    QStringList m_devices;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Wall and processor time of telvaro-cli provision for 1, 4, 16 and 32 loggers, "
                                     "and the time to read and check a units file of 10,000 rows."_s);
    parser.addHelpOption();
    const QCommandLineOption roundsOption(u"rounds"_s, u"Runs of each measurement; the median counts (default 3)."_s, u"N"_s, u"3"_s);
    parser.addOption(roundsOption);
    parser.process(app);
    const int rounds = std::max(1, parser.value(roundsOption).toInt());

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTemporaryDir files;
    const QString templateFile = files.filePath(u"site.txt"_s);
    QFile site(templateFile);
    if (!site.open(QIODevice::WriteOnly) || site.write("model=GSN\nCAAPN=apn.example.jp\nCADNS1=192.0.2.53\n") <= 0) {
        err << "cannot write " << templateFile << "\n";
        return 2;
    }
    site.close();

    std::vector<double> startupCpu;
    for (int round = 0; round < rounds; ++round) {
        const std::optional<Run> run = runCli({u"--version"_s}, err);
        if (!run)
            return 2;
        startupCpu.push_back(run->cpuSeconds);
    }
    const double startup = median(startupCpu);

    LoggerBench loggers;
    // The same exchange with one logger, on the main thread.
    std::vector<double> baselineCpu;
    for (int round = 0; round < rounds; ++round) {
        if (!loggers.make(1, err))
            return 2;
        const std::optional<Run> run = runCli({u"write"_s, u"--quiet"_s, loggers.devices().first(), templateFile}, err);
        if (!run)
            return 2;
        baselineCpu.push_back(run->cpuSeconds - startup);
    }
    const double baseline = median(baselineCpu);

    out << "loggers  wall s  ratio  CPU ms per logger\n";
    double firstWall = 0;
    double lastRatio = 0;
    double lastCpuPerLogger = 0;
    for (const int count : kLoggerCounts) {
        std::vector<double> walls;
        std::vector<double> cpus;
        for (int round = 0; round < rounds; ++round) {
            if (!loggers.make(count, err))
                return 2;
            // Each logger its own row of a units file, as a site would have it.
            const QString unitsFile = files.filePath(u"units.csv"_s);
            QFile units(unitsFile);
            QByteArray rows = "port,CAPOPID\n";
            for (int i = 0; i < count; ++i)
                rows += loggers.devices().at(i).toUtf8() + ",logger-" + QByteArray::number(i + 1) + "\n";
            if (!units.open(QIODevice::WriteOnly) || units.write(rows) != rows.size())
                return 2;
            units.close();
            const std::optional<Run> run = runCli({u"provision"_s, templateFile, u"--units"_s, unitsFile}, err);
            if (!run)
                return 2;
            walls.push_back(run->wallSeconds);
            cpus.push_back((run->cpuSeconds - startup) / count);
        }
        const double wall = median(walls);
        if (count == kLoggerCounts.first())
            firstWall = wall;
        lastRatio = wall / firstWall;
        lastCpuPerLogger = median(cpus);
        out << QString::number(count).rightJustified(7) << "  " << QString::number(wall, 'f', 2).rightJustified(6) << "  "
            << QString::number(lastRatio, 'f', 2).rightJustified(5) << "  "
            << QString::number(lastCpuPerLogger * 1000, 'f', 1).rightJustified(17) << "\n";
    }
    out << "one logger on the main thread (telvaro-cli write): CPU " << QString::number(baseline * 1000, 'f', 1)
        << " ms; starting the program: " << QString::number(startup * 1000, 'f', 1) << " ms, left out of both\n";

    // A large units file, every row its own device; only the first is named with --port.
    const QString unitsFile = files.filePath(u"large-units.csv"_s);
    QByteArray rows = "port,CAPOPID,CAPOPPASS,CAFROMADDRESS\n";
    for (int i = 0; i < kUnitsRows; ++i) {
        const QByteArray number = QByteArray::number(i);
        rows += "/nonexistent/tty" + number + ",logger-" + number + ",\"pw," + number + "\",logger-" + number + "@example.jp\n";
    }
    QFile units(unitsFile);
    if (!units.open(QIODevice::WriteOnly) || units.write(rows) != rows.size())
        return 2;
    units.close();
    std::vector<double> unitsWalls;
    for (int round = 0; round < rounds; ++round) {
        const std::optional<Run> run =
            runCli({u"provision"_s, templateFile, u"--units"_s, unitsFile, u"--port"_s, u"/nonexistent/tty0"_s}, err, 2);
        if (!run)
            return 2;
        unitsWalls.push_back(run->wallSeconds);
    }
    const double unitsWall = median(unitsWalls);
    out << "reading and checking " << kUnitsRows << " rows of units (" << rows.size() / 1024 << " KiB): "
        << QString::number(unitsWall, 'f', 3) << " s wall, the program's start included\n";

    const bool wallMet = lastRatio <= kMaxWallRatio;
    const bool cpuMet = lastCpuPerLogger <= baseline;
    const bool unitsMet = unitsWall < kMaxUnitsSeconds;
    out << "targets: " << kLoggerCounts.last() << " loggers within " << kMaxWallRatio << " x the wall time of one: "
        << (wallMet ? "met" : "MISSED") << "; CPU per logger at most that of one on the main thread: "
        << (cpuMet ? "met" : "MISSED") << "; " << kUnitsRows << " rows of units under " << kMaxUnitsSeconds << " s: "
        << (unitsMet ? "met" : "MISSED") << "\n";
    return wallMet && cpuMet && unitsMet ? 0 : 1;
}
