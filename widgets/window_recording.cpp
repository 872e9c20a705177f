#include "widgets/window_recording.h"

#include "exchange/exchange_session.h"
#include "link/port_names.h"
#include "ports/port_folders.h"
#include "ports/serial_ports.h"
#include "record/exchange_record.h"

using namespace telvaro::exchange;
using namespace telvaro::record;

namespace telvaro::widgets {

WindowRecording::WindowRecording(ExchangeSession &session, QObject *parent)
    : QObject(parent), m_session(session)
{
    connect(&m_session, &ExchangeSession::finished, this, &WindowRecording::finish);
}

void WindowRecording::begin(ExchangeEntry::Kind kind, int portNumber)
{
    if (m_path.isEmpty() || m_session.isRunning()) {
        m_entry.reset();
        return;
    }
    m_entry = ExchangeEntry::begun(kind);
    m_entry->port = QStringLiteral("COM%1").arg(portNumber);
    const QString device = link::PortNames::deviceFor(portNumber, link::PortNames::defaultPortsFolder());
    const QString stable = ports::stablePathOf(device, ports::PortFolders::ofThisMachine().byId);
    m_entry->device = stable.isEmpty() ? device : stable;
    // The write notes what it set over this; the record keeps what it was built on.
    if (kind == ExchangeEntry::Kind::Write)
        m_entry->before = m_session.origins().logger();
    m_clock.start();
}

void WindowRecording::finish(const ExchangeResult &result)
{
    if (!m_entry)
        return;
    ExchangeEntry entry = std::move(*m_entry);
    m_entry.reset();
    entry.seconds = double(m_clock.elapsed()) / 1000.0;
    switch (result.outcome) {
    case ExchangeResult::Outcome::Succeeded:
        break;
    case ExchangeResult::Outcome::Declined:
        entry.failure = QStringLiteral("書き込みを取りやめました（何も送っていません）");
        break;
    case ExchangeResult::Outcome::Interrupted:
        entry.failure = QStringLiteral("終わる前に止められました");
        break;
    case ExchangeResult::Outcome::Failed:
        entry.failure = describe(result.failure);
        break;
    }
    if (entry.kind == ExchangeEntry::Kind::Read) {
        if (result.succeeded())
            entry.received = m_session.origins().logger();
        if (entry.received)
            entry.describeLogger(*entry.received);
    } else {
        if (result.outcome != ExchangeResult::Outcome::Declined && m_session.lastPlan())
            entry.meant = m_session.lastPlan()->after;
        if (entry.before)
            entry.describeLogger(*entry.before);
        else if (entry.meant)
            entry.describeLogger(*entry.meant);
    }

    ExchangeRecord record(m_path);
    if (record.add(entry)) {
        emit added(entry.row);
    } else if (!m_told) {
        m_told = true;
        emit failed(record.error());
    }
}

} // namespace telvaro::widgets
