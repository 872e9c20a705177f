#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace telvaro::settings {

// Comma-separated records as RFC 4180 has them: fields separated by ",", records by CR LF or LF,
// a field in double quotes may hold commas, line ends and doubled quotes (""). A quote inside an
// unquoted field is kept as a character. A line end at the very end closes the last record and
// starts no other.

struct CsvField
{
    QString text;
    bool quoted = false; // the field stood in quotes: "" is a value, an empty field is none

    friend bool operator==(const CsvField &, const CsvField &) = default;
};

struct CsvRecord
{
    int line = 0; // where the record starts, from 1
    QList<CsvField> fields;
};

struct CsvError
{
    enum class Problem {
        UnclosedQuote,      // the file ends inside a quoted field
        TextAfterQuote,     // something other than "," or a line end follows a closing quote
    };

    int line = 0;   // where the field starts
    int column = 0; // the field's place in its record, from 1
    Problem problem = Problem::UnclosedQuote;

    friend bool operator==(const CsvError &, const CsvError &) = default;
};

struct CsvContents
{
    QList<CsvRecord> records; // a record with an error is left out
    QList<CsvError> errors;
};

CsvContents parseCsv(QStringView text);

// One record as UTF-8 bytes, CR LF after it: a field with a comma, a quote or a line end in
// double quotes, its quotes doubled, so that parseCsv gives the fields back.
QByteArray csvRecordBytes(const QStringList &fields);

} // namespace telvaro::settings
