#include "cli/check_command.h"

#include "cli/console.h"
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

CliCommand CheckCommand::command()
{
    return {QStringLiteral("check"), QStringLiteral("FILE"),
            tr("Check a settings file: its lines and the values a write would send."),
            [](QCommandLineParser &parser) {
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file."));
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

    QStringList problems = SettingsInput::errorLines(path, *contents);
    // Judged by the write plan a write of the file would make, each item on the row its model
    // puts it: what does not depend on the logger written to.
    const DeviceSettings &settings = contents->settings;
    const SettingsState model = SettingsInput::modelTablesFor(settings, AppFolder::ofRunningProgram(), console);
    const WritePlan plan = planFileWrite(settings, model, path);
    for (const ValueFinding &finding : plan.findings)
        problems.append(QStringLiteral("%1: %2").arg(path, describe(finding)));
    if (const std::optional<QString> field = firstUnsendableField(plan.alarm, plan.mail))
        problems.append(tr("%1: %2: a character cannot be sent to the logger (it has no code page 932 form)").arg(path, *field));

    for (const QString &problem : problems)
        console.print(problem);
    if (!problems.isEmpty()) {
        console.tell(tr("%1: %n problem(s) found", nullptr, int(problems.size())).arg(path));
        return ExitStatus::kFailure;
    }
    console.tell(tr("%1: no problems found (%n item(s))", nullptr, contents->settings.count()).arg(path));
    return ExitStatus::kSuccess;
}

} // namespace telvaro::cli
