#include "settings/value_checks.h"

#include "base/secret_items.h"
#include "files/model_elements.h"
#include "settings/settings_items.h"
#include "state/settings_state.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::state;

namespace telvaro::settings {

namespace {

using Problem = ValueFinding::Problem;

// The translation context of the messages here.
class ValueChecks
{
    Q_DECLARE_TR_FUNCTIONS(ValueChecks)
};

QString itemOf(const ScriptLine &line)
{
    return line.key.chopped(1); // the key less its "="
}

// What the item table says the line's value must look like.
ItemCheck checkOf(const ScriptLine &line)
{
    const std::optional<int> item = SettingsItems::indexOfScriptKey(line.key);
    const LoggerItems::Row *row = item ? SettingsItems::at(*item).row : nullptr;
    return row ? row->check : ItemCheck::None;
}

ValueFinding findingOn(const ScriptLine &line, Problem problem)
{
    ValueFinding finding;
    finding.problem = problem;
    finding.item = itemOf(line);
    finding.caption = line.caption;
    finding.value = line.value;
    return finding;
}

bool isDecimalNumber(const QString &text)
{
    // ASCII digits only: the value is checked as narrowed, the way it is sent.
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    return decimal.match(text).hasMatch();
}

bool isIpv4Address(const QString &text)
{
    static const QRegularExpression part(QStringLiteral("^[0-9]{1,3}$"));
    const QStringList parts = text.split(u'.');
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](const QString &p) {
               return part.match(p).hasMatch() && p.toInt() <= 255;
           });
}

void checkLimits(const ScriptLine &lower, const ScriptLine &upper, QList<ValueFinding> &findings)
{
    bool bothNumbers = true;
    for (const ScriptLine *limit : {&lower, &upper}) {
        if (limit->value.isEmpty()) {
            bothNumbers = false;
        } else if (!isDecimalNumber(limit->value)) {
            findings.append(findingOn(*limit, Problem::NotADecimalNumber));
            bothNumbers = false;
        }
    }
    if (bothNumbers && lower.value.toDouble() > upper.value.toDouble()) {
        ValueFinding finding = findingOn(lower, Problem::LowerAboveUpper);
        finding.upperValue = upper.value;
        findings.append(finding);
    }
}

void checkMailAddress(const ScriptLine &line, QList<ValueFinding> &findings)
{
    if (!line.value.isEmpty() && line.value.count(u'@') != 1)
        findings.append(findingOn(line, Problem::NotOneAtSign));
}

void checkIpv4Address(const ScriptLine &line, QList<ValueFinding> &findings)
{
    if (!line.value.isEmpty() && !isIpv4Address(line.value))
        findings.append(findingOn(line, Problem::NotAnIpv4Address));
}

// A row of the model takes only the codes of its list; what else it is sent, it shows as
// nothing chosen. Rows the model does not describe are not judged, nor empty codes (as no empty
// value is).
void checkElements(const QList<ScriptLine> &lines, const SettingsState &model, QList<ValueFinding> &findings)
{
    constexpr const LoggerItems::Row &mode = LoggerItems::row("mode");
    for (const ScriptLine &line : lines) {
        const std::optional<int> item = SettingsItems::indexOfScriptKey(line.key);
        if (!item || SettingsItems::at(*item).row != &mode)
            continue;
        const int row = SettingsItems::at(*item).entry - LoggerItems::positionOf("mode", 0);
        if (!line.value.isEmpty() && rowHasModelLine(model, row) && !offersElement(model, row, line.value))
            findings.append(findingOn(line, Problem::ElementNotOffered));
    }
}

} // namespace

bool isWrongValue(const ValueFinding &finding)
{
    return finding.problem != Problem::ChangedUnasked && finding.problem != Problem::Emptied
           && finding.problem != Problem::NotAsGiven;
}

QString describe(const ValueFinding &finding, bool showSecrets)
{
    const QString field = QStringLiteral("%1 (%2)").arg(finding.caption, finding.item);
    const std::optional<int> item = SettingsItems::indexOf(finding.item);
    const bool masked = !showSecrets && item && SettingsItems::isSecret(*item);
    const auto shown = [masked](const QString &value) {
        return masked && !value.isEmpty() ? QString::fromLatin1(SecretItems::kMask) : value;
    };
    switch (finding.problem) {
    case Problem::NotADecimalNumber:
        return ValueChecks::tr("%1: \"%2\" is not a decimal number").arg(field, finding.value);
    case Problem::LowerAboveUpper:
        return ValueChecks::tr("%1: the lower limit %2 is above the upper limit %3").arg(field, finding.value, finding.upperValue);
    case Problem::NotOneAtSign:
        return ValueChecks::tr("%1: \"%2\" is not a mail address with one \"@\"").arg(field, finding.value);
    case Problem::NotAnIpv4Address:
        return ValueChecks::tr("%1: \"%2\" is not an IPv4 address such as 192.168.0.1").arg(field, finding.value);
    case Problem::ElementNotOffered:
        return ValueChecks::tr("%1: the element code \"%2\" is not one this channel offers").arg(field, finding.value);
    case Problem::NotAsGiven:
        return ValueChecks::tr("%1: given as \"%2\", but the screen makes it \"%3\" and so it is written")
            .arg(field, shown(finding.givenValue), shown(finding.value));
    case Problem::ChangedUnasked:
        if (finding.value.isEmpty())
            return ValueChecks::tr("%1: the logger holds \"%2\"; the write empties it, though nobody asked")
                .arg(field, shown(finding.heldValue));
        return ValueChecks::tr("%1: the logger holds \"%2\"; the write changes it to \"%3\", though nobody asked")
            .arg(field, shown(finding.heldValue), shown(finding.value));
    case Problem::Emptied:
        return ValueChecks::tr("%1: the logger holds \"%2\"; the write empties it").arg(field, shown(finding.heldValue));
    }
    return {};
}

QList<ValueFinding> valueFindings(const AlarmScriptInputs &alarm, const MailScriptInputs &mail)
{
    return valueFindings(armScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail));
}

QList<ValueFinding> valueFindings(const QList<ScriptLine> &lines, const SettingsState *model)
{
    QList<ValueFinding> findings;

    // "Arm.eep" holds limits only for the rows that take them, each row's lower limit right
    // before its upper one.
    QList<ScriptLine> limits;
    for (const ScriptLine &line : lines) {
        if (checkOf(line) == ItemCheck::DecimalLimit)
            limits.append(line);
    }
    for (qsizetype i = 0; i + 1 < limits.size(); i += 2)
        checkLimits(limits.at(i), limits.at(i + 1), findings);
    if (model)
        checkElements(lines, *model, findings);

    for (const ScriptLine &line : lines) {
        switch (checkOf(line)) {
        case ItemCheck::MailAddress:
            checkMailAddress(line, findings);
            break;
        case ItemCheck::Ipv4Address:
            checkIpv4Address(line, findings);
            break;
        case ItemCheck::DecimalLimit:
        case ItemCheck::None:
            break;
        }
    }
    return findings;
}

} // namespace telvaro::settings
