#pragma once

#include "settings/settings_file.h"
#include "state/settings_state.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::files {
class AppFolder;
} // namespace telvaro::files

namespace telvaro::cli {

class Console;

// The settings files and model tables a command works on.
class SettingsInput
{
    Q_DECLARE_TR_FUNCTIONS(SettingsInput)

public:
    // "-" for a file: standard input where a file is read, standard output where one is written.
    static bool isStandardStream(const QString &path);
    // False, after saying so as a mistake on the command line, when more than one of the files
    // read is standard input.
    static bool atMostOneStandardInput(const QStringList &paths, Console &console, const QString &command);
    // The bytes of the file named on the command line, or of standard input for "-": false,
    // with the reason, when it cannot be read or is larger than largest.
    static bool readBytes(const QString &path, qint64 largest, Console &console, QByteArray *bytes, QString *reason);

    // The file named on the command line (standard input for "-"), read and parsed. Nothing,
    // after saying why on the console, when it cannot be read; its own errors are left to the
    // caller.
    static std::optional<settings::SettingsFileContents> read(const QString &path, Console &console);

    // Each error of the file as "FILE: line 4: ...".
    static QStringList errorLines(const QString &path, const settings::SettingsFileContents &contents);

    // The model tables of the model the settings name, from the model definition file in the
    // program's folder, for the captions and the rows that take limits. Without a model, or with
    // one whose file cannot be had, every row takes limits; a note on the console says so when the
    // settings give channel items.
    static state::SettingsState modelTablesFor(const settings::DeviceSettings &settings, const files::AppFolder &folder, Console &console);

private:
    static state::SettingsState everyRowTakingLimits(const settings::DeviceSettings &settings, Console &console, const QString &why);
};

} // namespace telvaro::cli
