#include "plan/write_plan.h"

#include "base/run_time_error.h"
#include "model/script_inputs.h"
#include "settings/item_captions.h"
#include "settings/settings_image.h"
#include "state/settings_state.h"
#include "text/narrowing.h"

#include <algorithm>
#include <array>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::settings;
using namespace telvaro::screen_files;
using namespace telvaro::text;

namespace telvaro::plan {

namespace {

using Source = ScreenOrigins::Source;
using Problem = ValueFinding::Problem;

bool isAsked(Source source)
{
    return source == Source::File || source == Source::UnitsRow || source == Source::Edit;
}

bool isGiven(Source source)
{
    return source == Source::File || source == Source::UnitsRow;
}

bool lacks(const PlannedItem &planned)
{
    return planned.held && saysLoggerLacksItem(planned.item, *planned.held);
}

int itemOf(const ScriptLine &line)
{
    return *SettingsItems::indexOfScriptKey(line.key);
}

// Typed text is narrowed when sent; element and authentication codes go out as they stand.
bool isNarrowed(int item)
{
    const ItemField field = SettingsItems::at(item).row->field;
    return field != ItemField::ElementBox && field != ItemField::AuthLabel;
}

// The lines as a file or a units row asked for them: where the screen shows another value than
// the one given (its rules dropped it), the given one is what is judged, as it would be sent.
QList<ScriptLine> linesAsAsked(QList<ScriptLine> lines, const WritePlan &plan, const ScreenOrigins &origins)
{
    for (ScriptLine &line : lines) {
        const PlannedItem &planned = plan.item(itemOf(line));
        const std::optional<QString> &given = origins.given(planned.item);
        if (isGiven(planned.source) && given && *given != line.shown)
            line.value = isNarrowed(planned.item) ? narrowed(*given) : *given;
    }
    return lines;
}

ValueFinding changeFinding(const PlannedItem &planned, Problem problem)
{
    ValueFinding finding;
    finding.problem = problem;
    finding.item = SettingsItems::at(planned.item).name;
    finding.caption = planned.caption;
    finding.value = planned.after.value_or(QString());
    finding.heldValue = planned.held.value_or(QString());
    return finding;
}

void findChanges(const WritePlan &plan, const ScreenOrigins &origins, const QList<ValueFinding> &valueFindings,
                 QList<ValueFinding> &findings)
{
    const auto judged = [&valueFindings](const PlannedItem &planned) {
        const QString name = SettingsItems::at(planned.item).name;
        return std::any_of(valueFindings.begin(), valueFindings.end(),
                           [&name](const ValueFinding &finding) { return finding.item == name; });
    };
    for (const PlannedItem &planned : plan.items) {
        if (lacks(planned) || !planned.shown)
            continue;
        const std::optional<QString> &given = origins.given(planned.item);
        if (isGiven(planned.source) && given && *given != *planned.shown && !judged(planned)) {
            ValueFinding finding = changeFinding(planned, Problem::NotAsGiven);
            finding.value = planned.sent.value_or(QString());
            finding.givenValue = *given;
            findings.append(finding);
        }
        if (!planned.held || planned.after == planned.held)
            continue;
        if (!isAsked(planned.source))
            findings.append(changeFinding(planned, Problem::ChangedUnasked));
        else if (planned.after.value_or(QString()).isEmpty() && !planned.held->isEmpty())
            findings.append(changeFinding(planned, Problem::Emptied));
    }
}

} // namespace

const PlannedItem &WritePlan::item(int item) const
{
    const auto found = std::find_if(items.begin(), items.end(), [item](const PlannedItem &p) { return p.item == item; });
    if (found == items.end())
        throw RunTimeError(QStringLiteral("item %1 is not in the write plan").arg(item));
    return *found;
}

WritePlan planWrite(const state::SettingsState &state, const AlarmScriptInputs &alarm, const MailScriptInputs &mail,
                    const ScreenOrigins &origins)
{
    WritePlan plan;
    plan.alarm = alarm;
    plan.mail = mail;
    const QList<ScriptLine> lines = itemLines(alarm, mail);
    std::array<const ScriptLine *, SettingsItems::kCount> lineOf{};
    for (const ScriptLine &line : lines)
        lineOf.at(std::size_t(itemOf(line))) = &line;

    const std::optional<DeviceSettings> &logger = origins.logger();
    const auto captions = itemCaptions(state);
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (SettingsItems::at(item).block == ItemBlock::Header)
            continue;
        PlannedItem planned;
        planned.item = item;
        planned.caption = captions.at(item);
        if (logger)
            planned.held = logger->value(item);
        if (const ScriptLine *line = lineOf.at(std::size_t(item))) {
            planned.shown = line->shown;
            planned.sent = line->value;
        }
        planned.source = origins.sourceOf(item, planned.shown);
        planned.after = !planned.sent || lacks(planned) ? planned.held : planned.sent;
        plan.items.append(planned);
    }
    plan.after = logger ? withLinesApplied(*logger, lines, LineText::Sent) : withLinesApplied({}, lines, LineText::Sent);

    // Nothing about an item the logger lacks: it keeps it as it is whatever is sent.
    for (const ValueFinding &finding : valueFindings(linesAsAsked(lines, plan, origins), &state)) {
        if (!lacks(plan.item(*SettingsItems::indexOf(finding.item))))
            plan.findings.append(finding);
    }
    findChanges(plan, origins, QList<ValueFinding>(plan.findings), plan.findings);
    return plan;
}

WritePlan planFileWrite(const DeviceSettings &file, const state::SettingsState &model, const QString &name)
{
    const AlarmScriptInputs alarm = alarmScriptInputsOf(file, model);
    const MailScriptInputs mail = mailScriptInputsOf(file);
    // "???" says what the logger the file was saved from lacked.
    DeviceSettings given = file;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (given.contains(item) && saysLoggerLacksItem(item, *given.value(item)))
            given.remove(item);
    }
    ScreenOrigins origins;
    origins.noteGiven(given, Source::File, name, {}, withLinesApplied({}, itemLines(alarm, mail), LineText::Shown));
    return planWrite(model, alarm, mail, origins);
}

WritePlan planScreenWrite(const state::SettingsState &state, const model::ScreenModel &screen, const ScreenOrigins &origins)
{
    return planWrite(state, model::alarmScriptInputsFrom(state, screen), model::mailScriptInputsFrom(screen), origins);
}

} // namespace telvaro::plan
