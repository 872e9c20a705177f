#include "cli/recording.h"

#include "cli/console.h"
#include "cli/logger_session.h"
#include "ports/port_folders.h"
#include "ports/serial_ports.h"
#include "record/exchange_record.h"
#include "record/exchange_spool.h"

using namespace telvaro::record;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

ExchangeEntry begunAt(ExchangeEntry::Kind kind, const LoggerSession &session, const QDateTime &begun)
{
    ExchangeEntry entry = ExchangeEntry::begun(kind);
    entry.when = begun.toUTC();
    entry.port = session.port().name;
    const QString stable = ports::stablePathOf(session.port().device, ports::PortFolders::ofThisMachine().byId);
    entry.device = stable.isEmpty() ? session.port().device : stable;
    return entry;
}

std::optional<QString> added(const QString &path, ExchangeEntry &entry)
{
    ExchangeRecord record(path);
    if (record.add(entry)) {
        // What waited for the record goes in with it; what still cannot, "history sync" tells.
        ExchangeSpool::sync(record);
        return std::nullopt;
    }
    QString reason;
    if (const std::optional<QString> kept = ExchangeSpool::keep(path, entry, &reason))
        return Recording::tr("%1 (the entry is kept in %2 until the record can be written)").arg(record.error(), *kept);
    return Recording::tr("%1 (nor can the entry be kept in the spool: %2)").arg(record.error(), reason);
}

} // namespace

std::optional<QString> Recording::addRead(const QString &path, const LoggerSession &session, const QDateTime &begun,
                                          double seconds, const QString &failure)
{
    if (path.isEmpty())
        return std::nullopt;
    ExchangeEntry entry = begunAt(ExchangeEntry::Kind::Read, session, begun);
    entry.seconds = seconds;
    entry.failure = failure;
    if (failure.isEmpty())
        entry.received = session.settings();
    if (entry.received)
        entry.describeLogger(*entry.received);
    return added(path, entry);
}

QString Recording::readFailure(const LoggerSession &session)
{
    return session.interrupted() ? tr("stopped before the read ended") : tr("the read failed: %1").arg(session.failure());
}

std::optional<QString> Recording::addWrite(const QString &path, const LoggerSession &session, const LoggerOutcome &outcome,
                                           const QDateTime &begun)
{
    if (path.isEmpty())
        return std::nullopt;
    ExchangeEntry entry = begunAt(outcome.dryRun ? ExchangeEntry::Kind::Read : ExchangeEntry::Kind::Write, session, begun);
    entry.seconds = outcome.seconds;
    entry.failure = outcome.error;
    if (outcome.dryRun) {
        entry.received = outcome.before;
    } else {
        entry.before = outcome.before;
        entry.meant = outcome.meant;
        entry.readBack = outcome.after;
    }
    if (outcome.before)
        entry.describeLogger(*outcome.before);
    return added(path, entry);
}

void Recording::tell(Console &console, const std::optional<QString> &failure)
{
    if (failure)
        console.tell(tr("telvaro-cli: the exchange was not recorded: %1").arg(*failure));
}

} // namespace telvaro::cli
