#include "files/user_data_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace telvaro::files {

Q_LOGGING_CATEGORY(lcUserData, "telvaro.files.userdata")

namespace UserDataFolder {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/telvaro");
}

bool make(const QString &wanted)
{
    const QString folder = QDir::cleanPath(wanted);
    if (QFileInfo(folder).isDir())
        return true;
    const QFileInfo where(folder);
    const bool made = QDir().mkpath(where.absolutePath())
                      && QDir(where.absolutePath())
                             .mkdir(where.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                          | QFileDevice::ExeOwner);
    if (!made && !QFileInfo(folder).isDir())
        qCWarning(lcUserData) << "cannot create" << folder;
    return made || QFileInfo(folder).isDir();
}

} // namespace UserDataFolder

} // namespace telvaro::files
