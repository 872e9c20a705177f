// Round trip of one command through the link, beside the same exchange done with plain system
// calls, and the processor time the link uses while it waits on a silent logger.
#include "echo_peer.h"

#include "link/line_ends.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "link/speed_table.h"
#include "simulator/pseudo_terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <cstring>
#include <vector>

using namespace telvaro::link;
using namespace telvaro::simulator;

using namespace Qt::StringLiterals;

namespace {

constexpr double kMaxRatio = 1.5;
constexpr double kMaxIdleCpuPercent = 1.0;
constexpr int kWarmUpRounds = 100;

using Clock = std::chrono::steady_clock;

struct Spread
{
    double median = 0; // microseconds
    double p99 = 0;
};

Spread spreadOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double share) {
        return samples.at(std::min(samples.size() - 1, size_t(share * double(samples.size()))));
    };
    return {at(0.5), at(0.99)};
}

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

int openRawDevice(const QString &device)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    QString error;
    if (fd >= 0 && !makeRaw(fd, &error)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The floor: write the command and read until the answer is complete, nothing in between.
// Returns false when no answer came.
bool rawRoundTrip(int fd)
{
    static constexpr char kCommand[] = "EERC9\r\n";
    if (::write(fd, kCommand, sizeof kCommand - 1) != sizeof kCommand - 1)
        return false;
    char answer[64];
    size_t have = 0;
    while (have < 4 || std::memcmp(answer + have - 4, "OK\r\n", 4) != 0) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, 2000) <= 0)
            return false;
        const ssize_t count = ::read(fd, answer + have, sizeof answer - have);
        if (count <= 0)
            return false;
        have += size_t(count);
    }
    return true;
}

// The link's wait, run to its end: the bench has nothing else to do meanwhile.
ReplyResult waitForReply(Link &link, const QString &expected, std::chrono::milliseconds timeout)
{
    ReplyResult result = ReplyResult::TimedOut;
    QEventLoop loop;
    link.WaitForReply(expected, timeout, [&](ReplyResult ended) {
        result = ended;
        loop.quit();
    });
    loop.exec();
    return result;
}

bool linkRoundTrip(Link &link)
{
    link.sendText(u"EERC9"_s + LineCRLF);
    return waitForReply(link, u"OK"_s + LineCRLF, std::chrono::seconds(2)) == ReplyResult::Received;
}

struct RoundTrips
{
    std::vector<double> raw;
    std::vector<double> viaLink;
};

// The two kinds alternate, each against a peer of its own, so that both see the same load.
std::optional<RoundTrips> timeRoundTrips(int rawFd, Link &link, int rounds)
{
    RoundTrips times;
    for (int round = 0; round < kWarmUpRounds + rounds; ++round) {
        Clock::time_point start = Clock::now();
        if (!rawRoundTrip(rawFd))
            return std::nullopt;
        const double raw = microsecondsSince(start);
        start = Clock::now();
        if (!linkRoundTrip(link))
            return std::nullopt;
        const double viaLink = microsecondsSince(start);
        if (round >= kWarmUpRounds) {
            times.raw.push_back(raw);
            times.viaLink.push_back(viaLink);
        }
    }
    return times;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Round trip of the serial link against plain system calls, and its processor time "
        "while waiting. Exits with 1 when a target is missed."_s);
    parser.addHelpOption();
    const QCommandLineOption roundsOption(u"rounds"_s, u"Round trips to time (2000)."_s,
                                          u"n"_s, u"2000"_s);
    const QCommandLineOption idleOption(u"idle-seconds"_s,
                                        u"Length of the wait on a silent logger (3)."_s,
                                        u"s"_s, u"3"_s);
    parser.addOptions({roundsOption, idleOption});
    parser.process(app);
    const int rounds = std::max(1, parser.value(roundsOption).toInt());
    const auto idleSeconds = qint16(std::clamp(parser.value(idleOption).toInt(), 1, 600));

    QTextStream out(stdout);
    EchoPeer rawPeer;
    EchoPeer peer;
    QTemporaryDir ports;
    const int rawFd = rawPeer.isValid() ? openRawDevice(rawPeer.devicePath()) : -1;
    if (rawFd < 0 || !peer.isValid() || !ports.isValid()
        || !QFile::link(peer.devicePath(), ports.filePath(u"com1"_s))) {
        out << "cannot set up the pseudo-terminals\n";
        return 2;
    }

    QtSerialLine line(ports.path());
    Link link(line);
    if (const std::optional<PortOpenFailure> failure = link.openPort(1, SpeedTable().at(9))) {
        out << failure->text() << "\n";
        return 2;
    }
    const std::optional<RoundTrips> times = timeRoundTrips(rawFd, link, rounds);
    ::close(rawFd);
    if (!times) {
        out << "a round trip went unanswered\n";
        return 2;
    }
    const Spread raw = spreadOf(times->raw);
    const Spread viaLink = spreadOf(times->viaLink);

    peer.setAnswering(false);
    QElapsedTimer wall;
    const double cpuBefore = cpuSeconds();
    wall.start();
    waitForReply(link, u"OK"_s + LineCRLF, std::chrono::seconds(idleSeconds));
    const double idleCpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000.0);
    link.releasePort();

    const double ratio = viaLink.median / raw.median;
    out << Qt::fixed << qSetRealNumberPrecision(1);
    out << "round trips: " << rounds << " (after " << kWarmUpRounds << " to warm up)\n";
    out << "system calls  median " << raw.median << " us  p99 " << raw.p99 << " us\n";
    out << "WaitForReply  median " << viaLink.median << " us  p99 " << viaLink.p99 << " us\n";
    out << qSetRealNumberPrecision(2);
    out << "ratio         median " << ratio << "  p99 " << viaLink.p99 / raw.p99
        << "  (target at most " << kMaxRatio << ")\n";
    out << "idle wait     " << idleCpuPercent << " % of a core over " << idleSeconds
        << " s  (target at most " << kMaxIdleCpuPercent << ")\n";
    return ratio <= kMaxRatio && idleCpuPercent <= kMaxIdleCpuPercent ? 0 : 1;
}
