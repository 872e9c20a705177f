#pragma once

#include "settings/device_settings.h"
#include "support/telvaro_names.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <utility>

// Replaces the file at path with bytes and gives the path back; a file that cannot be written
// whole fails the test.
QString writeFile(const QString &path, const QByteArray &bytes);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);
// A file of the source tree's install/ folder, as it is installed.
QByteArray installFile(const QString &name);

// Settings holding just the items given.
DeviceSettings settingsOf(std::initializer_list<std::pair<QString, QString>> items);
