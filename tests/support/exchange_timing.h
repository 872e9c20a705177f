#pragma once

#include "base/timings.h"
#include "support/telvaro_names.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

// The pace of the exchange tests: every time-out, pause and interval of the exchange and of the
// simulated logger at this share of its length.
inline constexpr double kTestTimeScale = 0.05;
// The pace of the tests that drive the window: its views redraw on the same thread as the
// logger answers, so each wait keeps more room on a loaded machine.
inline constexpr double kWindowTestTimeScale = 0.25;

// True when a measured length of time shows a delay of expected: never shorter, and shorter than
// twice it. A loaded machine may add much to a delay, but a delay doubled still shows. Says what
// it measured when it is not. For the tests that must watch the clock (labelled "wallclock").
bool lastsAbout(qint64 measuredMs, std::chrono::milliseconds expected);

// Lets the event loop run for a while without spinning.
void runEventLoopFor(int milliseconds);

// What happened during a run and when, in milliseconds from its start.
class Timeline
{
public:
    void start();
    void note(const QString &event);

    // From the first event to the second, each the first of its text after the one before.
    qint64 between(const QString &from, const QString &to) const;

private:
    QElapsedTimer m_clock;
    QList<std::pair<qint64, QString>> m_events;
};

// The texts the timeline notes.
inline QString statusEvent(const QString &text) { return QStringLiteral("status ") + text; }
inline QString messageEvent(const QString &text) { return QStringLiteral("message ") + text; }
inline QString heardEvent(const QString &line) { return QStringLiteral("logger heard ") + line; }
