#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole of a file that is small by nature (a settings file, a units file). False, with
// the reason, when it cannot be read or is larger than largest bytes, which tooLarge then says
// (a device or a log given by mistake must not be read to its end).
bool readSmallFile(const QString &path, qint64 largest, const QString &tooLarge, QByteArray *bytes, QString *reason);
