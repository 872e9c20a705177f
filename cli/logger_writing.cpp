#include "cli/logger_writing.h"

#include "cli/logger_session.h"
#include "screen_files/settings_on_screen.h"
#include "screen_files/settings_opening.h"
#include "settings/item_captions.h"
#include "settings/settings_image.h"

#include <QElapsedTimer>

using namespace telvaro::base;
using namespace telvaro::settings;
using namespace telvaro::screen_files;
using namespace telvaro::exchange;

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

QList<ItemMismatch> mismatchesOf(const DeviceSettings &meant, const DeviceSettings &readBack)
{
    QList<ItemMismatch> mismatches;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (isLoggerItem(item) && meant.contains(item) && meant.value(item) != readBack.value(item))
            mismatches.append({item, *meant.value(item), readBack.value(item)});
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

    if (!session.read()) {
        outcome.error = tr("the read failed: %1").arg(session.failure());
        return ended();
    }
    const DeviceSettings before = session.settings();
    outcome.before = before;
    outcome.model = before.value(SettingsItems::kModel).value_or(QString());
    if (const std::optional<QString> refusal = refusalOfModel(order.changes, before)) {
        outcome.error = *refusal;
        return ended();
    }

    // Onto the screen as the window opens a file; the model is the logger's, so nothing is asked.
    const DeviceSettings applied = applicable(order.changes, session, outcome.notes);
    openOnScreen(applied, session.state(), session.screen(), session.appFolder(),
                 [](const QString &, const QString &) { return false; });
    // Before the write, whose acknowledgements take the place of the channel answers read.
    const DeviceSettings meant = settingsOnScreen(session.state(), session.screen());

    const LoggerSession::WriteResult written = session.write(order.force);
    for (const ValueFinding &finding : session.findings())
        outcome.notes.append(describe(finding));
    if (written == LoggerSession::WriteResult::Declined) {
        outcome.error = tr("%n value(s) look wrong; nothing was written", nullptr, int(session.findings().size()));
        return ended();
    }
    if (written == LoggerSession::WriteResult::Failed) {
        outcome.error = tr("the write failed: %1").arg(session.failure());
        return ended();
    }
    outcome.meant = meant;
    outcome.changedItems = changedItems(before, meant);

    if (!order.verify) {
        outcome.verification = LoggerOutcome::Verification::Skipped;
        return ended();
    }
    if (!session.read()) {
        outcome.error = tr("written, but the read back failed: %1").arg(session.failure());
        return ended();
    }
    outcome.after = session.settings();
    outcome.mismatches = mismatchesOf(meant, *outcome.after);
    outcome.verification = outcome.mismatches.isEmpty() ? LoggerOutcome::Verification::Verified
                                                        : LoggerOutcome::Verification::Differs;
    if (!outcome.mismatches.isEmpty())
        outcome.error = tr("%n item(s) did not read back as written", nullptr, int(outcome.mismatches.size()));
    return ended();
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

DeviceSettings LoggerWriting::applicable(const DeviceSettings &changes, const LoggerSession &session, QStringList &notes)
{
    const DeviceSettings logger = session.settings();
    const auto captions = itemCaptions(session.state());
    DeviceSettings applied;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (!isLoggerItem(item) || !changes.contains(item))
            continue;
        const QString &name = SettingsItems::at(item).name;
        // "???" says what some logger lacked when its settings were saved, never a value to send.
        if (saysLoggerLacksItem(item, *changes.value(item)))
            continue;
        if (saysLoggerLacksItem(item, *logger.value(item))) {
            notes.append(tr("this logger has no %1; the value given for it is left out").arg(name));
            continue;
        }
        // A limit of no row that takes limits on this model is never sent.
        if (captions.at(item).isEmpty()) {
            notes.append(tr("%1 is the limit of no channel of this model; the value given for it is left out").arg(name));
            continue;
        }
        applied.set(item, *changes.value(item));
    }
    return applied;
}

} // namespace telvaro::cli
