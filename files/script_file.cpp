#include "files/script_file.h"

#include "text/cp932.h"

#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcScriptFile, "telvaro.scripts.file")

namespace {

constexpr char kLineEnd[] = "\r\n";

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
        if (!Cp932::canEncode(line.value))
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
