#pragma once

#include "base/logger_items.h"

#include <QByteArray>

namespace telvaro::simulator {

// Whether a logger of a given shape has the item a key names. Keys are those of the read and
// write lines: the items of the item table (mode0..mode15, CAAPN...), and the limits under
// their second name (CAEEWF0..CAEEWF31).
struct LoggerShape
{
    int presentChannels = base::LoggerItems::kChannelRows; // rows 0..presentChannels-1 exist
    bool hasApn = true;
};

enum class LoggerItem { Present, Absent, Unknown };

LoggerItem loggerItem(const LoggerShape &shape, const QByteArray &key);

} // namespace telvaro::simulator
