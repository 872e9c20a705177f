#pragma once

#include "base/logger_items.h"

#include <QAnyStringView>
#include <QLatin1StringView>

#include <algorithm>

namespace telvaro::base {

// The logger's passwords (the secret items of the item table). Whatever shows or logs a value of
// them shows kMask instead, unless the operator asks to see them.
namespace SecretItems {

inline constexpr char kMask[] = "********";

// An item as the logger names it: "CALOGINPASS", "CAPOPPASS".
inline bool isSecret(QAnyStringView item)
{
    return std::any_of(LoggerItems::kRows.begin(), LoggerItems::kRows.end(), [item](const LoggerItems::Row &row) {
        return row.secret
               && QAnyStringView::compare(item, QLatin1StringView(row.name.data(), qsizetype(row.name.size()))) == 0;
    });
}

} // namespace SecretItems

} // namespace telvaro::base
