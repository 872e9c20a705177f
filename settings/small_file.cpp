#include "settings/small_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace telvaro::settings {

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

namespace {

// A file to replace, or a new one. A link leads to what it links to.
bool replaceable(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

} // namespace

FileReplacement::FileReplacement(const QString &path)
    : m_replaces(replaceable(path))
{
    if (m_replaces)
        m_file = std::make_unique<QSaveFile>(path);
    else
        m_file = std::make_unique<QFile>(path);
}

FileReplacement::~FileReplacement() = default;

bool FileReplacement::open(std::optional<QFileDevice::Permissions> newFilePermissions)
{
    const bool isNew = !QFileInfo::exists(m_file->fileName());
    return m_file->open(QIODevice::WriteOnly) && (!isNew || !newFilePermissions || m_file->setPermissions(*newFilePermissions));
}

bool FileReplacement::openOwnerOnly()
{
    // The replacement is a new file beside the old one, which copied the old one's permissions.
    return m_file->open(QIODevice::WriteOnly)
           && (!m_replaces || m_file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

bool FileReplacement::commit(const QByteArray &bytes)
{
    // QSaveFile::commit() can report success after a write failed half-way (a full disk): flush first.
    if (m_file->write(bytes) != bytes.size() || !m_file->flush())
        return false;
    if (m_replaces)
        return static_cast<QSaveFile &>(*m_file).commit();
    m_file->close();
    return m_file->error() == QFileDevice::NoError;
}

QString FileReplacement::fileName() const
{
    return m_file->fileName();
}

QString FileReplacement::errorString() const
{
    return m_file->errorString();
}

bool replaceSmallFile(const QString &path, const QByteArray &bytes,
                      std::optional<QFileDevice::Permissions> newFilePermissions, QString *reason)
{
    FileReplacement file(path);
    const bool written = file.open(newFilePermissions) && file.commit(bytes);
    if (!written)
        *reason = file.errorString();
    return written;
}

} // namespace telvaro::settings
