#include "simulator/logger_items.h"

#include <optional>

namespace {

// The decimal number after prefix within first..last, written plainly (no sign, no leading zero).
std::optional<int> numberAfter(const QByteArray &key, const char *prefix, int first, int last)
{
    const QByteArray start(prefix);
    if (!key.startsWith(start))
        return std::nullopt;
    const QByteArray digits = key.mid(start.size());
    if (digits.isEmpty() || (digits.size() > 1 && digits.startsWith('0')))
        return std::nullopt;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number < first || number > last)
        return std::nullopt;
    return number;
}

LoggerItem presentIf(bool present)
{
    return present ? LoggerItem::Present : LoggerItem::Absent;
}

} // namespace

LoggerItem loggerItem(const LoggerShape &shape, const QByteArray &key)
{
    if (const auto row = numberAfter(key, "mode", 0, 15))
        return presentIf(*row < shape.presentChannels);
    // Each row holds two limits: lower 2r, upper 2r + 1.
    if (const auto limit = numberAfter(key, "ALARM", 0, 31))
        return presentIf(*limit / 2 < shape.presentChannels);
    if (const auto limit = numberAfter(key, "CAEEWF", 0, 31))
        return presentIf(*limit / 2 < shape.presentChannels);
    if (numberAfter(key, "CAALARMADDRESS", 1, 6) || numberAfter(key, "CADATAADDRESS", 1, 6))
        return LoggerItem::Present;
    if (key == "CAAPN" || key == "CAAUTHTYPE")
        return presentIf(shape.hasApn);
    static const char *const kConnectionKeys[] = {
        "CALOGINID", "CALOGINPASS", "CATELNO", "CAPOPID", "CAPOPPASS",
        "CAPOPSERVER", "CASMTPSERVER", "CAFROMADDRESS", "CADNS1", "CADNS2"};
    for (const char *known : kConnectionKeys) {
        if (key == known)
            return LoggerItem::Present;
    }
    return LoggerItem::Unknown;
}
