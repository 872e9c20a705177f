#include "simulator/logger_items.h"

#include <optional>

using namespace telvaro::base;

namespace telvaro::simulator {

namespace {

// The decimal number after prefix within first..last, written plainly (no sign, no leading zero).
std::optional<int> numberAfter(const QByteArray &key, std::string_view prefix, int first, int last)
{
    const QByteArrayView start(prefix.data(), qsizetype(prefix.size()));
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

// Whether the logger has the item numbered number of the row.
bool hasItem(const LoggerShape &shape, const LoggerItems::Row &row, int number)
{
    if (row.needsApn && !shape.hasApn)
        return false;
    switch (row.field) {
    case ItemField::ElementBox:
        return number < shape.presentChannels;
    case ItemField::LimitBoxes:
        return number / 2 < shape.presentChannels; // each row holds two limits: lower 2r, upper 2r + 1
    case ItemField::AlarmAddressBox:
    case ItemField::DataAddressBox:
    case ItemField::ConnectionBox:
    case ItemField::AuthLabel:
        break;
    }
    return true;
}

} // namespace

LoggerItem loggerItem(const LoggerShape &shape, const QByteArray &key)
{
    for (const LoggerItems::Row &row : LoggerItems::kRows) {
        for (const std::string_view name : {row.name, row.alsoWrittenAs}) {
            if (name.empty())
                continue;
            if (!LoggerItems::isNumbered(row)) {
                if (key == QByteArrayView(name.data(), qsizetype(name.size())))
                    return hasItem(shape, row, 0) ? LoggerItem::Present : LoggerItem::Absent;
            } else if (const auto number = numberAfter(key, name, row.first, row.first + row.count - 1)) {
                return hasItem(shape, row, *number) ? LoggerItem::Present : LoggerItem::Absent;
            }
        }
    }
    return LoggerItem::Unknown;
}

} // namespace telvaro::simulator
