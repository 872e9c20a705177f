#pragma once

#include "settings/small_file.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

namespace telvaro::cli {

class Console;

// The files a command writes its results into (a settings file read, a report, the exchange
// logs), each made sure of before any logger is reached, so that an exchange never ends with
// nowhere to put its result. They are their owner's alone: each holds passwords or what goes
// with them.
class OutputFile
{
    Q_DECLARE_TR_FUNCTIONS(OutputFile)

public:
    // The file at path, open to be written whole by commit(). Nothing, after saying why, when
    // it is one of the command's inputs or cannot be written (a folder, a missing or closed
    // folder, a file that cannot be made its owner's alone).
    static std::unique_ptr<settings::FileReplacement> open(const QString &path, const QStringList &inputs,
                                                           Console &console);
    // The folder at path, made where it is missing; false, after saying why, when no file can
    // be written in it.
    static bool prepareFolder(const QString &path, Console &console);
    // Writes the whole file; false after saying why it could not.
    static bool commit(settings::FileReplacement &file, const QByteArray &bytes, Console &console);
};

} // namespace telvaro::cli
