#pragma once

#include <QAnyStringView>
#include <QLatin1StringView>

#include <algorithm>
#include <iterator>

// The logger's two passwords. Whatever shows or logs a value of them shows kMask instead, unless
// the operator asks to see them.
namespace SecretItems {

inline constexpr char kMask[] = "********";

// "CALOGINPASS" and "CAPOPPASS", as the logger names them.
inline bool isSecret(QAnyStringView item)
{
    constexpr QLatin1StringView secrets[] = {QLatin1StringView("CALOGINPASS"), QLatin1StringView("CAPOPPASS")};
    return std::any_of(std::begin(secrets), std::end(secrets),
                       [item](QLatin1StringView secret) { return QAnyStringView::compare(item, secret) == 0; });
}

} // namespace SecretItems
