#pragma once

#include <QString>

#include <optional>

namespace telvaro::files {

// The model definition file that belongs to a logger's model code, or nothing for a code
// no row names. The comparison is exact, case included.
std::optional<QString> modelDefinitionFileFor(const QString &modelCode);

} // namespace telvaro::files
