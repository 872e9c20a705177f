#include "settings/small_file.h"

#include <QFile>

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
