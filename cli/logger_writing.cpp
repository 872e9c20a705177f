#include "cli/logger_writing.h"

#include "cli/logger_session.h"
#include "files/unsendable_text.h"
#include "plan/write_plan.h"
#include "screen_files/settings_opening.h"
#include "settings/settings_image.h"

#include <QElapsedTimer>

#include <algorithm>

using namespace telvaro::base;
using namespace telvaro::exchange;
using namespace telvaro::settings;
using namespace telvaro::screen_files;
using namespace telvaro::files;
using namespace telvaro::plan;

namespace telvaro::cli {

namespace {

bool isLoggerItem(int item)
{
    return SettingsItems::at(item).block != ItemBlock::Header;
}

bool givesChannelItems(const DeviceSettings &settings)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (settings.contains(item) && SettingsItems::at(item).block == ItemBlock::Channel)
            return true;
    }
    return false;
}

QList<int> changedItems(const DeviceSettings &before, const DeviceSettings &after)
{
    QList<int> items;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (isLoggerItem(item) && before.value(item) != after.value(item))
            items.append(item);
    }
    return items;
}

// Only what went out is compared: an item the write did not send, or sent to a logger that
// lacks it, is no item written.
QList<ItemMismatch> mismatchesOf(const plan::WritePlan &plan, const DeviceSettings &readBack)
{
    QList<ItemMismatch> mismatches;
    for (const plan::PlannedItem &planned : plan.items) {
        const bool lacked = planned.held && saysLoggerLacksItem(planned.item, *planned.held);
        if (planned.sent && !lacked && planned.sent != readBack.value(planned.item))
            mismatches.append({planned.item, *planned.sent, readBack.value(planned.item)});
    }
    return mismatches;
}

} // namespace

LoggerOutcome LoggerWriting::run(LoggerSession &session, const WriteOrder &order)
{
    QElapsedTimer clock;
    clock.start();
    LoggerOutcome outcome;
    outcome.port = session.port().name;
    const auto ended = [&outcome, &clock] {
        outcome.seconds = double(clock.elapsed()) / 1000.0;
        return outcome;
    };

    const QString nothingWritten = tr("stopped before the write began; nothing was written");
    if (!session.read()) {
        outcome.interrupted = session.interrupted();
        outcome.error = outcome.interrupted ? nothingWritten : tr("the read failed: %1").arg(session.failure());
        return ended();
    }
    const DeviceSettings before = session.settings();
    outcome.before = before;
    outcome.model = before.value(SettingsItems::kModel).value_or(QString());
    DeviceSettings changes = order.changes;
    changes.overlay(order.unitRow);
    if (const std::optional<QString> refusal = refusalOfModel(changes, before)) {
        outcome.error = *refusal;
        return ended();
    }

    // Onto the screen as the window opens a file; the model is the logger's, so nothing is asked.
    DeviceSettings fileItems = order.changes;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (order.unitRow.contains(item))
            fileItems.remove(item);
    }
    open(fileItems, {ScreenOrigins::Source::File, order.fileName}, session, outcome.notes);
    if (order.unitRow.count() > 0)
        open(order.unitRow, {ScreenOrigins::Source::UnitsRow, order.rowName}, session, outcome.notes);

    if (order.dryRun) {
        plan(session, order, outcome);
        return ended();
    }

    const LoggerSession::WriteResult written = session.write(order.force);
    for (const ValueFinding &finding : session.findings())
        outcome.notes.append(describe(finding));
    if (written == LoggerSession::WriteResult::Declined) {
        outcome.error = tr("%n finding(s) to confirm (values that look wrong, changes nobody asked for); nothing was "
                           "written (--force writes all the same)",
                           nullptr, int(session.findings().size()));
        return ended();
    }
    if (written == LoggerSession::WriteResult::Failed || written == LoggerSession::WriteResult::Interrupted) {
        outcome.interrupted = written == LoggerSession::WriteResult::Interrupted;
        const QString why = outcome.interrupted ? tr("stopped during the write")
                                                : tr("the write failed: %1").arg(session.failure());
        const QList<ExchangeFailure::Block> &blocks = session.lastBlocks();
        const bool acknowledged = std::any_of(blocks.begin(), blocks.end(),
                                              [](const ExchangeFailure::Block &block) { return block.answered > 0; });
        // Never a plain failure: the logger now holds some of the new settings and not others.
        if (acknowledged) {
            outcome.partlyWritten = blocks;
            outcome.error = partlyWrittenText(blocks) + QStringLiteral("; ") + why;
        } else {
            outcome.error = outcome.interrupted ? nothingWritten : why;
        }
        return ended();
    }
    const DeviceSettings meant = session.lastPlan()->after;
    outcome.meant = meant;
    outcome.changedItems = changedItems(before, meant);

    if (!order.verify) {
        outcome.verification = LoggerOutcome::Verification::Skipped;
        return ended();
    }
    // Stopped: the write is done, and the loggers are wanted back soon.
    if (session.stopRequested() || !session.read()) {
        outcome.interrupted = session.stopRequested();
        outcome.error = outcome.interrupted ? tr("stopped after the write; not read back")
                                            : tr("written, but the read back failed: %1").arg(session.failure());
        return ended();
    }
    outcome.after = session.settings();
    outcome.mismatches = mismatchesOf(*session.lastPlan(), *outcome.after);
    outcome.verification = outcome.mismatches.isEmpty() ? LoggerOutcome::Verification::Verified
                                                        : LoggerOutcome::Verification::Differs;
    if (!outcome.mismatches.isEmpty())
        outcome.error = tr("%n item(s) did not read back as written", nullptr, int(outcome.mismatches.size()));
    return ended();
}

QString LoggerWriting::partlyWrittenText(const QList<ExchangeFailure::Block> &blocks)
{
    QStringList files;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        // The files after the one cut short were never begun.
        if (i > 0 && blocks.at(i - 1).answered < blocks.at(i - 1).lines)
            break;
        const ExchangeFailure::Block &block = blocks.at(i);
        files.append(QStringLiteral("%1 %2/%3").arg(block.file).arg(block.answered).arg(block.lines));
    }
    return tr("partly written: %1").arg(files.join(QStringLiteral(", ")));
}

void LoggerWriting::plan(LoggerSession &session, const WriteOrder &order, LoggerOutcome &outcome)
{
    // The plan a write would make first, from the same screen: what it sends and refuses.
    const WritePlan plan = planScreenWrite(session.state(), session.screen(), session.origins());
    outcome.dryRun = true;
    for (const ValueFinding &finding : plan.findings)
        outcome.notes.append(describe(finding));
    outcome.meant = plan.after;
    outcome.changedItems = changedItems(*outcome.before, plan.after);
    if (const std::optional<QString> field = firstUnsendableField(plan.alarm, plan.mail)) {
        outcome.error = tr("%1: a character cannot be sent to the logger (it has no code page 932 form); a write "
                           "would send nothing")
                            .arg(*field);
    } else if (!plan.findings.isEmpty() && !order.force) {
        outcome.error = tr("%n finding(s) to confirm (values that look wrong, changes nobody asked for); a write "
                           "would send nothing (--force writes all the same)",
                           nullptr, int(plan.findings.size()));
    }
}

std::optional<QString> LoggerWriting::refusalOfModel(const DeviceSettings &changes, const DeviceSettings &logger)
{
    const std::optional<QString> &given = changes.value(SettingsItems::kModel);
    const QString model = logger.value(SettingsItems::kModel).value_or(QString());
    if (!given || *given == model || !givesChannelItems(changes))
        return std::nullopt;
    return tr("the settings are for model %1 and this logger is a %2: their channel items (mode, ALARM) would "
              "set other channels here; nothing was written")
        .arg(*given, model);
}

void LoggerWriting::open(const DeviceSettings &items, const GivenBy &by, LoggerSession &session, QStringList &notes)
{
    using Why = SettingsOpened::LeftOut::Why;
    const SettingsOpened opened = openOnScreen(items, session.state(), session.screen(), session.origins(), by,
                                               session.appFolder(), [](const QString &, const QString &) { return false; });
    // One note for all the items left out for one reason; "???" says what some logger lacked when
    // its settings were saved, never a value to send, and needs none.
    QStringList lacked;
    QStringList noRow;
    for (const SettingsOpened::LeftOut &left : opened.leftOut) {
        const QString &name = SettingsItems::at(left.item).name;
        if (left.why == Why::LoggerLacksItem)
            lacked.append(name);
        else if (left.why == Why::NoRowTakesLimit)
            noRow.append(name);
    }
    const auto tell = [&](const QString &note) {
        notes.append(note);
        session.note(note);
    };
    const QString separator = QStringLiteral(", ");
    if (lacked.size() == 1)
        tell(tr("this logger has no %1; the value given for it is left out").arg(lacked.first()));
    else if (!lacked.isEmpty())
        tell(tr("this logger has none of %1; the values given for them are left out").arg(lacked.join(separator)));
    if (noRow.size() == 1)
        tell(tr("%1 is the limit of no channel of this model; the value given for it is left out").arg(noRow.first()));
    else if (!noRow.isEmpty())
        tell(tr("%1 are the limits of no channel of this model; the values given for them are left out").arg(noRow.join(separator)));
}

} // namespace telvaro::cli
