#pragma once

#include <QString>
#include <QStringList>

namespace telvaro::files {

// The per-user folder of the tool: where an installed copy writes its script files, and where
// env.dat lies for a tool started from the desktop menu. The script files hold passwords, so the
// folder is its owner's alone.
//
// On Linux it is $XDG_STATE_HOME/telvaro (~/.local/state/telvaro), apart from the installation's
// share/telvaro: an installation into ~/.local would otherwise put the user's files among its own
// in a folder open to all. Earlier versions kept them in <data>/telvaro (~/.local/share/telvaro),
// where Windows and macOS still keep them.
namespace UserDataFolder {

QString path();
// Where earlier versions kept the user's files; empty where the folder has not moved.
QString formerPath();

// The files of the user's that a per-user folder holds: env.dat and the script files. The
// installation files an installation into ~/.local lays beside them are never among them.
const QStringList &userFiles();

// Creates the folder (the per-user folder unless another is named), readable, writable and
// searchable by its owner only, when it is missing; its parents as usual. The per-user folder
// then takes over the user's files from the former one. False, with a warning, when it cannot
// be made.
bool make(const QString &folder = path());

// Moves each of the user's files that `from` holds into `to`, copied then removed across file
// systems. A file `to` already has wins: the one in `from` is left where it is, as is anything
// but a regular file. `from` goes when that leaves it empty. Gives the names moved.
QStringList takeOver(const QString &from, const QString &to);

} // namespace UserDataFolder

} // namespace telvaro::files
