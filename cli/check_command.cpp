#include "cli/check_command.h"

#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/settings_input.h"
#include "files/app_folder.h"
#include "plan/write_plan.h"
#include "files/unsendable_text.h"
#include "settings/value_checks.h"

using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::settings;
using namespace telvaro::plan;

namespace telvaro::cli {

namespace {

const QString kJson = QStringLiteral("json");

} // namespace

CliCommand CheckCommand::command()
{
    return {QStringLiteral("check"), QStringLiteral("FILE"),
            tr("Check a settings file: its lines and the values a write would send."),
            [](QCommandLineParser &parser) {
                parser.addOption({kJson, tr("Give the problems as one JSON object on standard output.")});
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file; \"-\" for standard input."));
            },
            &CheckCommand::run};
}

int CheckCommand::run(const QCommandLineParser &parser, Console &console)
{
    if (!CliUsage::hasArguments(parser, 1))
        return CliUsage::error(console, QStringLiteral("check"), tr("one settings file is needed"));
    const QString path = parser.positionalArguments().at(0);
    const std::optional<SettingsFileContents> contents = SettingsInput::read(path, console);
    if (!contents)
        return ExitStatus::kTrouble;

    QList<JsonOutput::Problem> problems;
    for (const SettingsFileError &error : contents->errors)
        problems.append({error.line, error.item, describe(error)});
    // Judged by the write plan a write of the file would make, each item on the row its model
    // puts it: what does not depend on the logger written to.
    const DeviceSettings &settings = contents->settings;
    const SettingsState model = SettingsInput::modelTablesFor(settings, AppFolder::ofRunningProgram(), console);
    const WritePlan plan = planFileWrite(settings, model, path);
    for (const ValueFinding &finding : plan.findings) {
        const std::optional<int> item = SettingsItems::indexOf(finding.item);
        const int line = item ? contents->lineOf.at(std::size_t(*item)) : 0;
        problems.append({line > 0 ? std::optional<int>(line) : std::nullopt, finding.item, describe(finding)});
    }
    if (const std::optional<QString> field = firstUnsendableField(plan.alarm, plan.mail))
        problems.append({std::nullopt, {}, tr("%1: a character cannot be sent to the logger (it has no code page 932 form)").arg(*field)});

    if (parser.isSet(kJson)) {
        console.write(JsonOutput::check(path, problems));
    } else {
        for (const JsonOutput::Problem &problem : problems)
            console.print(QStringLiteral("%1: %2").arg(path, problem.message));
    }
    if (!problems.isEmpty()) {
        console.tell(tr("%1: %n problem(s) found", nullptr, int(problems.size())).arg(path));
        return ExitStatus::kFailure;
    }
    console.tell(tr("%1: no problems found (%n item(s))", nullptr, contents->settings.count()).arg(path));
    return ExitStatus::kSuccess;
}

} // namespace telvaro::cli
