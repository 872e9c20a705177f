#pragma once

#include "settings/device_settings.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace telvaro::settings {

// A units file: the values that differ from logger to logger when many are given the same
// settings. A CSV file in UTF-8 (RFC 4180 quoting): a header line naming the columns, then a
// row per logger. One column is "port", the port the logger is connected to; every other column
// is a logger item named as in a settings file ("CAPOPID", "CATELNO"...). Every row gives every
// column a value: an empty cell is an error, for it is far more often a value forgotten than
// one meant to be empty; a cell holding "" (two quotes) gives the item an empty value.
// Items without a column keep what the template gives them.

struct UnitsFileError
{
    enum class Problem {
        NotUtf8,           // the file is no UTF-8 text (line: the first line that is not)
        UnclosedQuote,     // the file ends inside a quoted cell
        TextAfterQuote,    // something other than "," or a line end after a closing quote
        NoHeader,          // no line at all
        EmptyColumnName,   // a header cell is empty
        UnknownItem,       // a column names no item
        NotWritable,       // a column names model or channels, which the logger reports
        RepeatedColumn,    // a column named twice (firstColumn: the first)
        NoPortColumn,      // the header has no "port" column
        WrongCellCount,    // a row with more or fewer cells than the header has columns
        NoPort,            // a row's port cell is empty
        RepeatedPort,      // a port given on an earlier row (firstLine: that row)
        MissingValue,      // an empty cell
        ControlCharacter,  // a value holding a control character (a line end in quotes, a tab)
    };

    int line = 0;
    int column = 0; // from 1; 0 where the problem is the whole line
    Problem problem = Problem::NotUtf8;
    QString name;   // the column's name or the port, where there is one
    int firstLine = 0;   // RepeatedPort
    int firstColumn = 0; // RepeatedColumn
    int cells = 0;       // WrongCellCount: the row's cells
    int columns = 0;     // WrongCellCount: the header's columns

    friend bool operator==(const UnitsFileError &, const UnitsFileError &) = default;
};

// "line 4, column 3 (CAPOPPASS): no value ...", translated.
QString describe(const UnitsFileError &error);

// One logger's row: its port and the items the row gives it.
struct UnitRow
{
    int line = 0;
    QString port; // as written, less spaces around it
    DeviceSettings settings;
};

// The rows without errors, in file order, and an error for each problem found. A file with any
// error is not to be used.
struct UnitsFileContents
{
    QList<UnitRow> units;
    QList<UnitsFileError> errors;
};

// Reading time and memory grow with the file's size alone; a file larger than this (tens of
// thousands of rows of long values) was given by mistake.
constexpr qint64 kLargestUnitsFile = 16 * 1024 * 1024;

UnitsFileContents parseUnitsFile(QByteArrayView bytes);

// Reads and parses the file at path. False, with the reason, when it cannot be read.
bool readUnitsFile(const QString &path, UnitsFileContents *contents, QString *reason);

} // namespace telvaro::settings
