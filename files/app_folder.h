#pragma once

#include <QString>

namespace telvaro::files {

// The folder of the program, and where its files are found from there.
//
// Installation files (read scripts, model definition files, auth.ini) are read from beside the
// program when they are there (the build tree, a portable copy), else from the installed data
// folder (share/telvaro of an installation). The script files the tool writes and then sends
// go beside the program when that folder can be written and is not an installation's bin
// folder; otherwise into the per-user data folder (see UserDataFolder), made owner-only.
//
// Every path ends in the platform's separator, so a bare file name can be appended to it.
class AppFolder
{
public:
    // One folder for everything: installation files are read from it, script files written to it.
    explicit AppFolder(const QString &folder);
    // The program's folder, the installed data folder to fall back on for installation files,
    // and the folder the script files go to.
    AppFolder(const QString &programFolder, const QString &installedDataFolder, const QString &scriptFolder);

    // The folder of the running executable and the folders that go with it, decided once and
    // kept for the run.
    static const AppFolder &ofRunningProgram();

    // The folder of the program.
    const QString &path() const { return m_appDir; }
    // An installation file: a read script, a model definition file, auth.ini.
    QString file(const QString &name) const;
    // A script file the tool writes and then sends: Arm.eep, ArmNet.eep, mail.eep, Mmail.eep.
    QString scriptFile(const QString &name) const { return m_scriptDir + name; }
    const QString &scriptFolder() const { return m_scriptDir; }
    // The same installation with the script files in folder instead: a run of its own that must
    // share them with no other (each logger of the command line's provision).
    AppFolder withScriptFolder(const QString &folder) const { return AppFolder(m_appDir, m_dataDir, folder); }
    // Makes the script folder, owner-only, when it is another than the program's own and still
    // missing. False (with a warning) when it cannot be made; writing a script file then fails.
    bool prepareScriptFolder() const;

private:
    QString m_appDir;
    QString m_dataDir;
    QString m_scriptDir;
};

} // namespace telvaro::files
