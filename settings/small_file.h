#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// Reads the whole of a file that is small by nature (a settings file, a units file). False, with
// the reason, when it cannot be read or is larger than largest bytes, which tooLarge then says
// (a device or a log given by mistake must not be read to its end).
bool readSmallFile(const QString &path, qint64 largest, const QString &tooLarge, QByteArray *bytes, QString *reason);

// Replaces the file at path in one step, so it is never left half written; a file it creates
// gets newFilePermissions where they are given. False, with the reason, when it cannot be
// written; any earlier copy then stays as it was.
bool replaceSmallFile(const QString &path, const QByteArray &bytes,
                      std::optional<QFileDevice::Permissions> newFilePermissions, QString *reason);
