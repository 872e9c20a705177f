#include "files/app_folder.h"

#include "files/user_data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace telvaro::files {

namespace {

// The one place that knows the separator: a backslash on Windows, "/" elsewhere.
const QChar kSeparator = QDir::separator();

// Where an installation puts the installation files, from its bin folder.
constexpr const char *kDataFromProgramFolder = TELVARO_DATA_FROM_BINDIR;

// The installation file every copy of the program has; it tells where the others are.
const QString kMarkerFile = QStringLiteral("auth.ini");

QString withSeparator(const QString &folder)
{
    QString path = QDir::toNativeSeparators(folder);
    if (!path.endsWith(kSeparator))
        path += kSeparator;
    return path;
}

// An installed copy: its installation files are not beside it but in the installed data folder.
// Its folder is a system folder even when it can be written (by the administrator).
bool isInstalledCopy(const QString &programFolder, const QString &installedDataFolder)
{
    return !QFileInfo::exists(QDir(programFolder).filePath(kMarkerFile))
           && QFileInfo::exists(QDir(installedDataFolder).filePath(kMarkerFile));
}

} // namespace

AppFolder::AppFolder(const QString &folder) : AppFolder(folder, folder, folder) {}

AppFolder::AppFolder(const QString &programFolder, const QString &installedDataFolder, const QString &scriptFolder)
    : m_appDir(withSeparator(programFolder))
    , m_dataDir(withSeparator(installedDataFolder))
    , m_scriptDir(withSeparator(scriptFolder))
{
}

const AppFolder &AppFolder::ofRunningProgram()
{
    static const AppFolder appDir = [] {
        const QString program = QCoreApplication::applicationDirPath();
        const QString data = QDir::cleanPath(QDir(program).filePath(QString::fromUtf8(kDataFromProgramFolder)));
        const bool besideProgram = !isInstalledCopy(program, data) && QFileInfo(program).isWritable();
        return AppFolder(program, data, besideProgram ? program : UserDataFolder::path());
    }();
    return appDir;
}

QString AppFolder::file(const QString &name) const
{
    const QString beside = m_appDir + name;
    if (m_dataDir == m_appDir || QFileInfo::exists(beside))
        return beside;
    const QString installed = m_dataDir + name;
    // Missing in both places: the error names the program's folder, where a copy belongs.
    return QFileInfo::exists(installed) ? installed : beside;
}

bool AppFolder::prepareScriptFolder() const
{
    // The program's own folder is there, or nothing is to be written.
    if (m_scriptDir == m_appDir)
        return true;
    return UserDataFolder::make(m_scriptDir);
}

} // namespace telvaro::files
