#include "support/temp_app_folder.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

TempAppFolder::TempAppFolder(const QStringList &installFiles)
{
    // Read and written plainly: QFile::copy syncs each copy to disk, which a busy disk makes
    // cost tens of milliseconds a file, and a throw-away folder needs none of it.
    const QDir source(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR));
    for (const QString &name : installFiles) {
        QFile original(source.filePath(name));
        if (!original.open(QIODevice::ReadOnly))
            QFAIL(qPrintable(QStringLiteral("cannot read %1").arg(original.fileName())));
        writeFile(name, original.readAll());
    }
}

void TempAppFolder::writeFile(const QString &name, const QByteArray &bytes) const
{
    ::writeFile(m_dir.filePath(name), bytes);
}

QByteArray TempAppFolder::readFile(const QString &name) const
{
    return ::readFile(m_dir.filePath(name));
}

QStringList TempAppFolder::allInstallFiles()
{
    const QDir source(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR));
    return source.entryList({QStringLiteral("*.ini"), QStringLiteral("*.eep")}, QDir::Files);
}
