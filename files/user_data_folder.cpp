#include "files/user_data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace telvaro::files {

Q_LOGGING_CATEGORY(lcUserData, "telvaro.files.userdata")

namespace UserDataFolder {

namespace {

const QString kFolderName = QStringLiteral("telvaro");

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + kFolderName;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// Qt names no state folder before 6.7; the base directory rules: an unset or relative
// XDG_STATE_HOME means ~/.local/state.
QString stateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base) + u'/' + kFolderName;
}
#endif

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

QString path()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return stateFolder();
#else
    return dataFolder();
#endif
}

QString formerPath()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return dataFolder();
#else
    return QString();
#endif
}

const QStringList &userFiles()
{
    static const QStringList names = {QStringLiteral("env.dat"), QStringLiteral("Arm.eep"), QStringLiteral("ArmNet.eep"),
                                      QStringLiteral("mail.eep"), QStringLiteral("Mmail.eep")};
    return names;
}

bool make(const QString &wanted)
{
    const QString folder = QDir::cleanPath(wanted);
    const QFileInfo where(folder);
    const bool made = where.isDir()
                      || (QDir().mkpath(where.absolutePath())
                          && QDir(where.absolutePath())
                                 .mkdir(where.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                              | QFileDevice::ExeOwner))
                      || QFileInfo(folder).isDir();
    if (!made) {
        qCWarning(lcUserData) << "cannot create" << folder;
        return false;
    }
    const QString former = formerPath();
    if (!former.isEmpty() && sameFolder(folder, path()) && !sameFolder(former, folder))
        takeOver(former, folder);
    return true;
}

QStringList takeOver(const QString &from, const QString &to)
{
    QStringList moved;
    const QDir source(from);
    const QDir target(to);
    for (const QString &name : userFiles()) {
        const QFileInfo old(source.filePath(name));
        if (!old.isFile() || old.isSymLink() || QFileInfo::exists(target.filePath(name))
            || QFileInfo(target.filePath(name)).isSymLink())
            continue;
        // QFile::rename never replaces a file that came meanwhile, and copies then removes
        // across file systems; a copy it cannot finish leaves the old file as it was.
        QFile file(old.filePath());
        if (file.rename(target.filePath(name)))
            moved.append(name);
        else
            qCWarning(lcUserData) << "cannot move" << old.filePath() << "to" << to << ":" << file.errorString();
    }
    if (!moved.isEmpty())
        QDir().rmdir(from); // only when nothing else is left in it
    return moved;
}

} // namespace UserDataFolder

} // namespace telvaro::files
