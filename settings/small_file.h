#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <memory>
#include <optional>

namespace telvaro::settings {

// Reads the whole of a file that is small by nature (a settings file, a units file). False, with
// the reason, when it cannot be read or is larger than largest bytes, which tooLarge then says
// (a device or a log given by mistake must not be read to its end).
bool readSmallFile(const QString &path, qint64 largest, const QString &tooLarge, QByteArray *bytes, QString *reason);

// A file that the operator names for output, written whole or not at all. A regular file (or a
// new one) is replaced in one step by commit(), so it is never left half written and an earlier
// copy stays as it was when writing fails. Anything else that exists at the path (a device or a
// pipe: "/dev/stdout", "/dev/null") is written into, as a shell's redirection would, rather than
// replaced by a regular file.
class FileReplacement
{
public:
    explicit FileReplacement(const QString &path);
    ~FileReplacement();

    // Makes sure that the file can be written; a file it creates gets newFilePermissions where
    // they are given.
    bool open(std::optional<QFileDevice::Permissions> newFilePermissions);
    // As open(), for a file that holds passwords: once committed, the file is readable and
    // writable by its owner only, whether it is new or replaces one that others could read. A
    // device or a pipe written into keeps its own permissions.
    bool openOwnerOnly();
    // After open(): the whole of the file.
    bool commit(const QByteArray &bytes);
    QString fileName() const;
    QString errorString() const;

private:
    std::unique_ptr<QFileDevice> m_file;
    bool m_replaces;
};

// Replaces the file at path with bytes, as FileReplacement does. False, with the reason, when it
// cannot be written.
bool replaceSmallFile(const QString &path, const QByteArray &bytes,
                      std::optional<QFileDevice::Permissions> newFilePermissions, QString *reason);

} // namespace telvaro::settings
