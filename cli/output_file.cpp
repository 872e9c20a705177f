#include "cli/output_file.h"

#include "cli/console.h"

#include <QDir>
#include <QFileInfo>

using namespace telvaro::settings;

namespace telvaro::cli {

std::unique_ptr<FileReplacement> OutputFile::open(const QString &path, const QStringList &inputs, Console &console)
{
    // However the two are spelled: through a link, with "./", or by another relative path.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const QString &input : inputs) {
        if (!canonical.isEmpty() && canonical == QFileInfo(input).canonicalFilePath()) {
            console.tell(tr("%1: is the file %2 the command reads; the output must go elsewhere").arg(path, input));
            return nullptr;
        }
    }
    auto file = std::make_unique<FileReplacement>(path);
    if (!file->openOwnerOnly()) {
        console.tell(tr("%1: cannot be written: %2").arg(path, file->errorString()));
        return nullptr;
    }
    return file;
}

bool OutputFile::prepareFolder(const QString &path, Console &console)
{
    if (!QDir().mkpath(path)) {
        console.tell(tr("%1: the folder cannot be made").arg(path));
        return false;
    }
    const QFileInfo folder(path);
    if (!folder.isWritable()) {
        console.tell(tr("%1: no file can be written in this folder").arg(path));
        return false;
    }
    return true;
}

bool OutputFile::commit(FileReplacement &file, const QByteArray &bytes, Console &console)
{
    if (file.commit(bytes))
        return true;
    console.tell(tr("%1: cannot be written: %2").arg(file.fileName(), file.errorString()));
    return false;
}

} // namespace telvaro::cli
