#pragma once

#include "files/app_folder.h"
#include "support/telvaro_names.h"

#include <QStringList>
#include <QTemporaryDir>

// A fresh application folder for one test, optionally holding copies of installation files.
class TempAppFolder
{
public:
    // Copies the named files of install/ into the folder.
    explicit TempAppFolder(const QStringList &installFiles = {});

    bool isValid() const { return m_dir.isValid(); }
    AppFolder appFolder() const { return AppFolder(m_dir.path()); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

    static QStringList allInstallFiles();

private:
    QTemporaryDir m_dir;
};
