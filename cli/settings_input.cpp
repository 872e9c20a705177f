#include "cli/settings_input.h"

#include "base/run_time_error.h"
#include "cli/cli_command.h"
#include "cli/console.h"
#include "files/model_table.h"
#include "files/app_folder.h"
#include "files/model_definition.h"
#include "settings/small_file.h"

#include <QFileInfo>

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::settings;

namespace telvaro::cli {

bool SettingsInput::isStandardStream(const QString &path)
{
    return path == u"-";
}

bool SettingsInput::atMostOneStandardInput(const QStringList &paths, Console &console, const QString &command)
{
    if (paths.count(QStringLiteral("-")) <= 1)
        return true;
    CliUsage::error(console, command, tr("standard input (\"-\") can be read only once"));
    return false;
}

bool SettingsInput::readBytes(const QString &path, qint64 largest, Console &console, QByteArray *bytes, QString *reason)
{
    if (isStandardStream(path))
        return console.readInput(largest, bytes, reason);
    return readSmallFile(path, largest, tr("larger than %1 bytes").arg(largest), bytes, reason);
}

std::optional<SettingsFileContents> SettingsInput::read(const QString &path, Console &console)
{
    SettingsFileContents contents;
    QString reason;
    if (isStandardStream(path)) {
        QByteArray bytes;
        if (readBytes(path, kLargestSettingsFile, console, &bytes, &reason)) {
            contents = parseSettingsFile(bytes);
            return contents;
        }
    } else if (readSettingsFile(path, &contents, &reason)) {
        return contents;
    }
    console.tell(tr("%1: cannot be read: %2").arg(path, reason));
    return std::nullopt;
}

QStringList SettingsInput::errorLines(const QString &path, const SettingsFileContents &contents)
{
    QStringList lines;
    for (const SettingsFileError &error : contents.errors)
        lines.append(QStringLiteral("%1: %2").arg(path, describe(error)));
    return lines;
}

SettingsState SettingsInput::modelTablesFor(const DeviceSettings &settings, const AppFolder &folder, Console &console)
{
    const std::optional<QString> &model = settings.value(SettingsItems::kModel);
    if (!model)
        return everyRowTakingLimits(settings, console, tr("no model is given"));
    const std::optional<QString> file = modelDefinitionFileFor(*model);
    if (!file)
        return everyRowTakingLimits(settings, console, tr("the model \"%1\" is unknown").arg(*model));

    SettingsState state;
    state.ModelIniPath = folder.file(*file);
    if (!QFileInfo(state.ModelIniPath).isFile())
        return everyRowTakingLimits(settings, console, tr("%1 is missing").arg(state.ModelIniPath));
    try {
        LoadModelDefinition(state);
    } catch (const RunTimeError &error) {
        return everyRowTakingLimits(settings, console, tr("%1 cannot be used: %2").arg(state.ModelIniPath, QString::fromUtf8(error.what())));
    }
    return state;
}

SettingsState SettingsInput::everyRowTakingLimits(const DeviceSettings &settings, Console &console, const QString &why)
{
    // Only the channel items depend on the model.
    bool givesChannelItems = false;
    for (int item = 0; item < SettingsItems::kCount; ++item)
        givesChannelItems = givesChannelItems || (settings.contains(item) && SettingsItems::at(item).block == ItemBlock::Channel);
    if (givesChannelItems)
        console.tell(tr("note: %1; every channel row is taken to have alarm limits, and no element code can be checked").arg(why));
    // The flags of an empty state are empty, and an empty flag takes limits.
    return SettingsState();
}

} // namespace telvaro::cli
