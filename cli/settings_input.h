#pragma once

#include "settings/settings_file.h"
#include "state/settings_state.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class AppFolder;
class Console;

// The settings files and model tables a command works on.
class SettingsInput
{
    Q_DECLARE_TR_FUNCTIONS(SettingsInput)

public:
    // The file named on the command line, read and parsed. Nothing, after saying why on the
    // console, when it cannot be read; its own errors are left to the caller.
    static std::optional<SettingsFileContents> read(const QString &path, Console &console);

    // Each error of the file as "FILE: line 4: ...".
    static QStringList errorLines(const QString &path, const SettingsFileContents &contents);

    // The model tables of the model the settings name, from the model definition file in the
    // program's folder, for the captions and the rows that take limits. Without a model, or with
    // one whose file cannot be had, every row takes limits; a note on the console says so when the
    // settings give channel items.
    static SettingsState modelTablesFor(const DeviceSettings &settings, const AppFolder &folder, Console &console);

private:
    static SettingsState everyRowTakingLimits(const DeviceSettings &settings, Console &console, const QString &why);
};
