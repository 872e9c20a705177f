#include "files/app_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The one place that knows the separator: a backslash on Windows, "/" elsewhere.
const QChar kSeparator = QDir::separator();

} // namespace

AppFolder::AppFolder(const QString &folder)
    : m_appDir(QDir::toNativeSeparators(folder))
{
    if (!m_appDir.endsWith(kSeparator))
        m_appDir += kSeparator;
}

const AppFolder &AppFolder::ofRunningProgram()
{
    static const AppFolder appDir(QCoreApplication::applicationDirPath());
    return appDir;
}
