#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>

namespace telvaro::simulator {

// Output that leaves at chosen times but always in the order it was queued: delayed replies,
// replies in pieces, and a hang-up that must come after the last reply.
class TimedOutput : public QObject
{
    Q_OBJECT

public:
    explicit TimedOutput(QObject *parent = nullptr);

    void sendAfter(const QByteArray &bytes, std::chrono::milliseconds delay);
    void hangUpAfter(std::chrono::milliseconds delay);
    void clear();
    bool isEmpty() const { return m_items.empty(); }

signals:
    void send(const QByteArray &bytes);
    void hangUp();

private:
    struct Item
    {
        QByteArray bytes;
        QDeadlineTimer due;
        bool hangUp = false;
    };

    void schedule();
    void releaseDue();

    std::deque<Item> m_items;
    QTimer m_timer;
};

} // namespace telvaro::simulator
