#include "settings/small_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool readSmallFile(const QString &path, qint64 largest, const QString &tooLarge, QByteArray *bytes, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    // The size of a pipe or a device is not known beforehand: read one byte more than allowed.
    *bytes = file.size() > largest ? QByteArray() : file.read(largest + 1);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    if (file.size() > largest || bytes->size() > largest) {
        *reason = tooLarge;
        return false;
    }
    return true;
}

bool replaceSmallFile(const QString &path, const QByteArray &bytes,
                      std::optional<QFileDevice::Permissions> newFilePermissions, QString *reason)
{
    QSaveFile file(path);
    const bool isNew = !QFileInfo::exists(path);
    // commit() can report success after a write failed half-way (a full disk): flush first.
    const bool written = file.open(QIODevice::WriteOnly)
                         && (!isNew || !newFilePermissions || file.setPermissions(*newFilePermissions))
                         && file.write(bytes) == bytes.size()
                         && file.flush()
                         && file.commit();
    if (!written)
        *reason = file.errorString();
    return written;
}
