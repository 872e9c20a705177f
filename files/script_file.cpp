#include "files/script_file.h"

#include "text/cp932.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>

using namespace telvaro::text;

namespace telvaro::files {

Q_LOGGING_CATEGORY(lcScriptFile, "telvaro.scripts.file")

namespace {

constexpr char kLineEnd[] = "\r\n";

// A control character would break the line protocol: a line end ends the command early, the
// others reach the logger as commands it never expects.
bool holdsControlCharacter(QStringView value)
{
    return std::any_of(value.begin(), value.end(), [](QChar character) {
        return character.unicode() < 0x20 || character.unicode() == 0x7F;
    });
}

// A value goes out only as it stands: no character replaced, dropped or breaking the line.
bool isSendable(QStringView value)
{
    return Cp932::canEncode(value) && !holdsControlCharacter(value);
}

// The script files are the tool's own regular files. QSaveFile follows a symbolic link and
// replaces its target, which would put both passwords into whatever file the link names; so a
// link, a pipe or any other special file in the place of a script file is removed first, and
// the new file takes its place. A folder there may hold someone's files: it stays, and the
// write fails.
bool clearedForRegularFile(const QString &path)
{
    namespace fs = std::filesystem;
    const fs::path where(QFile::encodeName(path).toStdString());
    std::error_code error;
    const fs::file_type type = fs::symlink_status(where, error).type();
    if (type == fs::file_type::not_found || type == fs::file_type::regular)
        return true;
    if (type == fs::file_type::directory) {
        qCWarning(lcScriptFile) << "cannot write" << path << ": a folder stands in its place";
        return false;
    }
    if (!error)
        fs::remove(where, error);
    if (error) {
        qCWarning(lcScriptFile) << "cannot write" << path << ": no regular file stands in its place,"
                                << QString::fromLocal8Bit(error.message());
        return false;
    }
    return true;
}

// The one rule of which codes a value goes out in: the answer's own bytes when they are that
// very value, whatever codes they use; else the value encoded.
QByteArray valueBytes(const ScriptLine &line)
{
    if (!line.answerBytes.isEmpty() && Cp932::decode(line.answerBytes) == line.value)
        return line.answerBytes;
    return Cp932::encode(line.value);
}

} // namespace

QByteArray scriptFileBytes(const QList<ScriptLine> &lines)
{
    QByteArray bytes;
    for (const ScriptLine &line : lines) {
        bytes += Cp932::encode(line.key);
        bytes += valueBytes(line);
        bytes += kLineEnd;
    }
    return bytes;
}

std::optional<QString> firstUnsendableCaption(const QList<ScriptLine> &lines)
{
    for (const ScriptLine &line : lines) {
        if (!isSendable(line.value))
            return line.caption;
    }
    return std::nullopt;
}

bool writeScriptFile(const AppFolder &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder.scriptFile(name);
    if (!folder.prepareScriptFolder() || !clearedForRegularFile(path))
        return false;
    QSaveFile file(path);
    // commit() can report success after a write failed half-way (a full disk): flush first.
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                         && file.write(bytes) == bytes.size()
                         && file.flush()
                         && file.commit();
    if (!written)
        qCWarning(lcScriptFile) << "cannot write" << file.fileName() << file.errorString();
    return written;
}

} // namespace telvaro::files
