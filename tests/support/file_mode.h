#pragma once

#include "support/telvaro_names.h"

#include <QString>

#include <filesystem>

// The permission bits of a file, and the mode of a file only its owner may read and write.
inline std::filesystem::perms modeOf(const QString &path)
{
    return std::filesystem::status(path.toStdString()).permissions() & std::filesystem::perms::mask;
}

inline constexpr auto kOwnerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
