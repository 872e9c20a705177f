#include "files/script_file.h"

#include "text/cp932.h"

#include <QLoggingCategory>
#include <QSaveFile>

#include <algorithm>

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

} // namespace

QByteArray scriptFileBytes(const QList<ScriptLine> &lines)
{
    QByteArray bytes;
    for (const ScriptLine &line : lines) {
        bytes += Cp932::encode(line.key);
        bytes += Cp932::encode(line.value);
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
    QSaveFile file(folder.scriptFile(name));
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
