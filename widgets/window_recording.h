#pragma once

#include "record/exchange_entry.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

namespace telvaro::exchange {
class ExchangeSession;
struct ExchangeResult;
} // namespace telvaro::exchange

namespace telvaro::widgets {

// Adds every read and write the window makes to the record of exchanges once it has ended, off
// the wire's timing. A record that cannot be written costs nothing: the exchange has ended as it
// would, and the window is told once.
class WindowRecording : public QObject
{
    Q_OBJECT

public:
    WindowRecording(exchange::ExchangeSession &session, QObject *parent);

    // The record written to; empty: none is kept.
    void setPath(const QString &path) { m_path = path; }
    const QString &path() const { return m_path; }

    // The window is about to start an exchange through COM portNumber: what the logger held
    // before it is noted now, as the write changes it.
    void begin(record::ExchangeEntry::Kind kind, int portNumber);

signals:
    // The first entry that could not be written, and why, naming the file.
    void failed(const QString &why);
    // An entry was added: its row in the record.
    void added(qint64 row);

private:
    void finish(const exchange::ExchangeResult &result);

    exchange::ExchangeSession &m_session;
    QString m_path;
    std::optional<record::ExchangeEntry> m_entry;
    QElapsedTimer m_clock;
    bool m_told = false;
};

} // namespace telvaro::widgets
