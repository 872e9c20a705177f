#include "support/exchange_timing.h"

#include <QDebug>
#include <QEventLoop>
#include <QTimer>

void runEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool lastsAbout(qint64 measuredMs, std::chrono::milliseconds expected)
{
    const qint64 expectedMs = expected.count();
    // A wait may end a hair before the logger's clock says it began.
    const bool fits = measuredMs >= expectedMs - 5 && measuredMs < 2 * expectedMs;
    if (!fits)
        qWarning().noquote() << QStringLiteral("took %1 ms where %2 ms were due").arg(measuredMs).arg(expectedMs);
    return fits;
}

void Timeline::start()
{
    m_events.clear();
    m_clock.start();
}

void Timeline::note(const QString &event)
{
    m_events.append({m_clock.elapsed(), event});
}

qint64 Timeline::between(const QString &from, const QString &to) const
{
    qsizetype first = 0;
    while (first < m_events.size() && m_events.at(first).second != from)
        ++first;
    for (qsizetype later = first + 1; later < m_events.size(); ++later) {
        if (m_events.at(later).second == to)
            return m_events.at(later).first - m_events.at(first).first;
    }
    return -1;
}
