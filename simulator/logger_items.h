#pragma once

#include <QByteArray>

// Whether a logger of a given shape has the item a key names. Keys are those of the read and
// write lines: mode0..mode15, ALARM0..ALARM31, CAEEWF0..CAEEWF31, the mail address keys 1..6
// and the twelve connection keys.
struct LoggerShape
{
    int presentChannels = 16;   // rows 0..presentChannels-1 exist
    bool hasApn = true;
};

enum class LoggerItem { Present, Absent, Unknown };

LoggerItem loggerItem(const LoggerShape &shape, const QByteArray &key);
