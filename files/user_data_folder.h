#pragma once

#include <QString>

namespace telvaro::files {

// The per-user data folder of the tool, <data>/telvaro (~/.local/share/telvaro on Linux): where
// an installed copy writes its script files, and where env.dat lies for a tool started from the
// desktop menu. The script files hold passwords, so the folder is its owner's alone.
namespace UserDataFolder {

QString path();

// Creates the folder (the per-user data folder unless another is named), readable, writable and
// searchable by its owner only, when it is missing; its parents as usual. False, with a
// warning, when it cannot be made.
bool make(const QString &folder = path());

} // namespace UserDataFolder

} // namespace telvaro::files
