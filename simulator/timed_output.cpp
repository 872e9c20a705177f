#include "simulator/timed_output.h"

namespace telvaro::simulator {

TimedOutput::TimedOutput(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimedOutput::releaseDue);
}

void TimedOutput::sendAfter(const QByteArray &bytes, std::chrono::milliseconds delay)
{
    m_items.push_back({bytes, QDeadlineTimer(delay, Qt::PreciseTimer), false});
    schedule();
}

void TimedOutput::hangUpAfter(std::chrono::milliseconds delay)
{
    m_items.push_back({{}, QDeadlineTimer(delay, Qt::PreciseTimer), true});
    schedule();
}

void TimedOutput::clear()
{
    m_items.clear();
    m_timer.stop();
}

void TimedOutput::schedule()
{
    if (m_items.empty() || m_timer.isActive())
        return;
    m_timer.start(std::chrono::milliseconds(std::max<qint64>(0, m_items.front().due.remainingTime())));
}

void TimedOutput::releaseDue()
{
    while (!m_items.empty() && m_items.front().due.hasExpired()) {
        const Item item = m_items.front();
        m_items.pop_front();
        if (item.hangUp) {
            m_items.clear();
            emit hangUp();
            return;
        }
        emit send(item.bytes);
    }
    schedule();
}

} // namespace telvaro::simulator
