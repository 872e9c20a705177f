#pragma once

#include "settings/device_settings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace telvaro::settings {

// A settings file: one "item=value" line per item the file gives, "#" starting a comment line.
// Read: UTF-8 with or without a byte-order mark, lines ending in LF or CR LF, items in any order.
// Written: UTF-8 without a byte-order mark, CR LF, "model" and "channels" first, then the
// logger's items in the read scripts' order. A value is everything after the first "=",
// exactly: spaces, full-width characters and further "=" included.

struct SettingsFileError
{
    enum class Problem {
        NotUtf8,          // the line is no UTF-8 text
        NoEqualsSign,     // neither blank, a comment, nor item=value
        UnknownItem,      // the name is no item of the catalogue
        RepeatedItem,     // the item was given on an earlier line
        ControlCharacter, // the value holds a control character (a tab, an escape...)
    };

    int line = 0;
    Problem problem = Problem::NoEqualsSign;
    QString item;      // the name on the line, where there is one
    int firstLine = 0; // RepeatedItem: the line that gave the item first

    friend bool operator==(const SettingsFileError &, const SettingsFileError &) = default;
};

// "line 4: unknown item "mode16"", translated.
QString describe(const SettingsFileError &error);

// What a file gave: the items of its good lines and an error for each other line. A file with
// any error is not to be applied.
struct SettingsFileContents
{
    DeviceSettings settings;
    QList<SettingsFileError> errors;
    std::array<int, SettingsItems::kCount> lineOf{}; // the line that gave each item, from 1; 0 for none
};

SettingsFileContents parseSettingsFile(QByteArrayView bytes);

// The largest file taken for a settings file: anything larger was given by mistake.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

// True when the text holds a control character (a tab, a line end, an escape...), which no
// value of a settings file may hold.
bool holdsControlCharacter(QStringView text);

// The items whose value a settings file cannot hold: those with a control character.
QStringList itemsWithControlCharacters(const DeviceSettings &settings);

// The bytes of the file, after a first comment line "# comment" when there is a comment.
// Requires itemsWithControlCharacters() to be empty, and a comment of one line.
QByteArray settingsFileBytes(const DeviceSettings &settings, const QString &comment = {});

// Reads the file at path. False, with the reason, when it cannot be read or is too large to be
// a settings file; its own errors are in contents->errors.
bool readSettingsFile(const QString &path, SettingsFileContents *contents, QString *reason);

// Replaces the file at path in one step with a regular file readable by its owner only (it may
// hold passwords), a symbolic link in its place included. False, with the reason, when it cannot
// be written, a value cannot be held, or a device, a pipe or a folder is in its place.
bool saveSettingsFile(const QString &path, const DeviceSettings &settings, QString *reason, const QString &comment = {});

} // namespace telvaro::settings
