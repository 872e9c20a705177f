#pragma once

#include "support/telvaro_names.h"

#include <QString>
#include <QTemporaryDir>

// Makes a fresh temporary folder the current one (env.dat lives there) for the guard's
// lifetime; the folder that was current before comes back after.
class ScopedCurrentFolder
{
public:
    ScopedCurrentFolder();
    ~ScopedCurrentFolder();
    ScopedCurrentFolder(const ScopedCurrentFolder &) = delete;
    ScopedCurrentFolder &operator=(const ScopedCurrentFolder &) = delete;

    bool isValid() const { return m_entered; }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_folder;
    bool m_entered = false;
};
