#pragma once

#include "settings/device_settings.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

namespace telvaro::settings {
struct ItemDifference;
} // namespace telvaro::settings

namespace telvaro::cli {

// The objects --json prints on standard output, one per run, for programs to read: item names
// and values as settings files have them, passwords as "********" unless shown (an empty one
// stays empty). docs/command-line.md describes each.
class JsonOutput
{
public:
    // One problem check found: the line of the file it is on, and the item it is about, where
    // there are such.
    struct Problem
    {
        std::optional<int> line;
        QString item;
        QString message;
    };

    // {"port", "model", "items": {name: value...}}
    static QByteArray read(const QString &port, const settings::DeviceSettings &settings, bool showSecrets);
    // {"file", "problems": [{"line", "item", "message"}...], "ok"}
    static QByteArray check(const QString &file, const QList<Problem> &problems);
    // {"left", "right", "differences": [{"item", "caption", "left", "right"}...]}; without
    // differences (the logger could not be read), "differences" is null and "error" says why.
    static QByteArray diff(const QString &left, const QString &right,
                           const std::optional<QList<settings::ItemDifference>> &differences, const QString &error,
                           bool showSecrets);

    // An item's value: null when not given, masked when secret and not shown.
    static QJsonValue value(int item, const std::optional<QString> &value, bool showSecrets);
};

} // namespace telvaro::cli
