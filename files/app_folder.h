#pragma once

#include <QString>

// The folder of the program: installation files (read scripts, model definition files,
// auth.ini) are read from it and the script files are written into it. The path always
// ends in the platform's separator, so a bare file name can be appended to it.
class AppFolder
{
public:
    explicit AppFolder(const QString &folder);

    // The folder of the running executable, computed once and kept for the run.
    static const AppFolder &ofRunningProgram();

    const QString &path() const { return m_appDir; }
    // An installation file: a read script, a model definition file, auth.ini.
    QString file(const QString &name) const { return m_appDir + name; }
    // A script file the tool writes and then sends: Arm.eep, ArmNet.eep, mail.eep, Mmail.eep.
    QString scriptFile(const QString &name) const { return m_appDir + name; }

private:
    QString m_appDir;
};
