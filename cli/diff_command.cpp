#include "cli/diff_command.h"

#include "cli/console.h"
#include "cli/settings_input.h"
#include "files/app_folder.h"
#include "settings/settings_compare.h"

namespace {

const QString kShowSecrets = QStringLiteral("show-secrets");
const QString kMask = QStringLiteral("********");

// Quoted, so that an empty value and spaces at either end show.
QString quoted(const QString &value)
{
    QString text = value;
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

} // namespace

CliCommand DiffCommand::command()
{
    return {QStringLiteral("diff"), QStringLiteral("FILE FILE"),
            tr("List the items whose values differ between two settings files."),
            [](QCommandLineParser &parser) {
                parser.addOption({kShowSecrets, tr("Show the passwords instead of %1.").arg(kMask)});
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file shown after \"<\"."));
                parser.addPositionalArgument(QStringLiteral("FILE"), tr("The settings file shown after \">\"."));
            },
            &DiffCommand::run};
}

QString DiffCommand::shown(const std::optional<QString> &value, bool secret)
{
    if (!value)
        return tr("(not given)");
    return secret && !value->isEmpty() ? kMask : quoted(*value);
}

int DiffCommand::run(const QCommandLineParser &parser, Console &console)
{
    if (!CliUsage::hasArguments(parser, 2))
        return CliUsage::error(console, QStringLiteral("diff"), tr("two settings files are needed"));
    const QStringList paths = parser.positionalArguments();
    std::optional<SettingsFileContents> files[2];
    for (int side = 0; side < 2; ++side) {
        files[side] = SettingsInput::read(paths.at(side), console);
        if (!files[side])
            return ExitStatus::kTrouble;
        if (!files[side]->errors.isEmpty()) {
            for (const QString &line : SettingsInput::errorLines(paths.at(side), *files[side]))
                console.tell(line);
            return ExitStatus::kTrouble;
        }
    }

    // The captions of the limits follow the model of the first file that names one.
    const DeviceSettings &left = files[0]->settings;
    const DeviceSettings &right = files[1]->settings;
    const DeviceSettings &named = left.contains(SettingsItems::kModel) ? left : right;
    const SettingsState model = SettingsInput::modelTablesFor(named, AppFolder::ofRunningProgram(), console);

    const QList<ItemDifference> differences = differingItems(left, right, model);
    if (differences.isEmpty())
        return ExitStatus::kSuccess;
    const bool showSecrets = parser.isSet(kShowSecrets);
    console.print(QStringLiteral("< ") + paths.at(0));
    console.print(QStringLiteral("> ") + paths.at(1));
    for (const ItemDifference &difference : differences) {
        const bool secret = SettingsItems::isSecret(difference.item) && !showSecrets;
        console.print(difference.caption.isEmpty() ? difference.name
                                                   : QStringLiteral("%1 (%2)").arg(difference.name, difference.caption));
        console.print(QStringLiteral("  < ") + shown(difference.left, secret));
        console.print(QStringLiteral("  > ") + shown(difference.right, secret));
    }
    console.tell(tr("%n item(s) differ", nullptr, int(differences.size())));
    return ExitStatus::kFailure;
}
