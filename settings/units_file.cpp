#include "settings/units_file.h"

#include "settings/csv_records.h"
#include "settings/settings_file.h"
#include "settings/small_file.h"
#include "text/utf8_text.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

using namespace telvaro::base;
using namespace telvaro::text;

namespace telvaro::settings {

namespace {

using Problem = UnitsFileError::Problem;

const QString kPortColumn = QStringLiteral("port");

// The translation context of the messages here.
class UnitsFile
{
    Q_DECLARE_TR_FUNCTIONS(UnitsFile)
};

// The number of the first line that is no UTF-8 text.
int firstLineNotUtf8(QByteArrayView bytes)
{
    int line = 1;
    for (const QByteArrayView piece : bytes.toByteArray().split('\n')) {
        if (!utf8Text(piece))
            return line;
        ++line;
    }
    return line;
}

UnitsFileError errorAt(int line, int column, Problem problem, const QString &name = {})
{
    UnitsFileError error;
    error.line = line;
    error.column = column;
    error.problem = problem;
    error.name = name;
    return error;
}

// A spreadsheet's empty rows come out as blank lines or lines of commas.
bool isEmptyRow(const CsvRecord &record)
{
    return std::all_of(record.fields.begin(), record.fields.end(), [](const CsvField &field) {
        return !field.quoted && field.text.isEmpty();
    });
}

// What each column of the header is: the port, an item, or nothing usable.
struct Columns
{
    static constexpr int kUnusable = -1;
    static constexpr int kPort = -2;

    QList<int> kinds; // kPort, kUnusable or the item's index
    QStringList names;
    int portColumn = 0; // from 1; 0 without one
};

Columns readHeader(const CsvRecord &header, QList<UnitsFileError> &errors)
{
    Columns columns;
    QHash<QString, int> firstColumnOf;
    for (int index = 0; index < header.fields.size(); ++index) {
        const int column = index + 1;
        const QString name = header.fields.at(index).text.trimmed();
        columns.names.append(name);
        int kind = Columns::kUnusable;
        if (name.isEmpty()) {
            errors.append(errorAt(header.line, column, Problem::EmptyColumnName));
        } else if (firstColumnOf.contains(name)) {
            UnitsFileError error = errorAt(header.line, column, Problem::RepeatedColumn, name);
            error.firstColumn = firstColumnOf.value(name);
            errors.append(error);
        } else if (name == kPortColumn) {
            kind = Columns::kPort;
        } else if (const std::optional<int> item = SettingsItems::indexOf(name); !item) {
            errors.append(errorAt(header.line, column, Problem::UnknownItem, name));
        } else if (SettingsItems::at(*item).block == ItemBlock::Header) {
            errors.append(errorAt(header.line, column, Problem::NotWritable, name));
        } else {
            kind = *item;
        }
        if (!name.isEmpty() && !firstColumnOf.contains(name))
            firstColumnOf.insert(name, column);
        columns.kinds.append(kind);
    }
    columns.portColumn = int(columns.kinds.indexOf(Columns::kPort)) + 1;
    if (columns.portColumn == 0)
        errors.append(errorAt(header.line, 0, Problem::NoPortColumn));
    return columns;
}

void readRow(const CsvRecord &record, const Columns &columns, QHash<QString, int> &lineOfPort,
             UnitsFileContents &contents)
{
    if (record.fields.size() != columns.kinds.size()) {
        UnitsFileError error = errorAt(record.line, 0, Problem::WrongCellCount);
        error.cells = int(record.fields.size());
        error.columns = int(columns.kinds.size());
        contents.errors.append(error);
        return;
    }
    UnitRow unit{record.line, {}, {}};
    bool good = true;
    for (int index = 0; index < record.fields.size(); ++index) {
        const CsvField &cell = record.fields.at(index);
        const int column = index + 1;
        const int kind = columns.kinds.at(index);
        if (kind == Columns::kUnusable)
            continue;
        if (kind == Columns::kPort) {
            unit.port = cell.text.trimmed();
            continue;
        }
        const QString &name = columns.names.at(index);
        if (cell.text.isEmpty() && !cell.quoted) {
            contents.errors.append(errorAt(record.line, column, Problem::MissingValue, name));
            good = false;
        } else if (holdsControlCharacter(cell.text)) {
            contents.errors.append(errorAt(record.line, column, Problem::ControlCharacter, name));
            good = false;
        } else {
            unit.settings.set(kind, cell.text);
        }
    }
    const int portColumn = columns.portColumn;
    if (portColumn > 0) {
        if (unit.port.isEmpty()) {
            contents.errors.append(errorAt(record.line, portColumn, Problem::NoPort));
            good = false;
        } else if (lineOfPort.contains(unit.port)) {
            UnitsFileError error = errorAt(record.line, portColumn, Problem::RepeatedPort, unit.port);
            error.firstLine = lineOfPort.value(unit.port);
            contents.errors.append(error);
            good = false;
        } else {
            lineOfPort.insert(unit.port, record.line);
        }
    }
    if (good)
        contents.units.append(unit);
}

QString placeOf(const UnitsFileError &error)
{
    if (error.column == 0)
        return UnitsFile::tr("line %1").arg(error.line);
    if (error.name.isEmpty() || error.problem == Problem::RepeatedPort)
        return UnitsFile::tr("line %1, column %2").arg(error.line).arg(error.column);
    return UnitsFile::tr("line %1, column %2 (%3)").arg(QString::number(error.line), QString::number(error.column), error.name);
}

} // namespace

QString describe(const UnitsFileError &error)
{
    const QString place = placeOf(error);
    switch (error.problem) {
    case Problem::NotUtf8:
        return UnitsFile::tr("%1: not UTF-8 text (save the file as CSV in UTF-8)").arg(place);
    case Problem::UnclosedQuote:
        return UnitsFile::tr("%1: the quoted value is never closed").arg(place);
    case Problem::TextAfterQuote:
        return UnitsFile::tr("%1: text after the closing quote (a quote inside a quoted value is written \"\")").arg(place);
    case Problem::NoHeader:
        return UnitsFile::tr("%1: the file is empty; its first line names the columns").arg(place);
    case Problem::EmptyColumnName:
        return UnitsFile::tr("%1: the column has no name").arg(place);
    case Problem::UnknownItem:
        return UnitsFile::tr("%1: unknown item \"%2\"").arg(place, error.name);
    case Problem::NotWritable:
        return UnitsFile::tr("%1: \"%2\" is reported by the logger and cannot be set").arg(place, error.name);
    case Problem::RepeatedColumn:
        return UnitsFile::tr("%1: \"%2\" is already column %3").arg(place, error.name, QString::number(error.firstColumn));
    case Problem::NoPortColumn:
        return UnitsFile::tr("%1: no \"port\" column").arg(place);
    case Problem::WrongCellCount:
        return UnitsFile::tr("%1: %2 values for %3 columns").arg(place, QString::number(error.cells), QString::number(error.columns));
    case Problem::NoPort:
        return UnitsFile::tr("%1: no port").arg(place);
    case Problem::RepeatedPort:
        return UnitsFile::tr("%1: port \"%2\" already has the row on line %3").arg(place, error.name, QString::number(error.firstLine));
    case Problem::MissingValue:
        return UnitsFile::tr("%1: no value (write \"\" for a value meant to be empty)").arg(place);
    case Problem::ControlCharacter:
        return UnitsFile::tr("%1: the value holds a control character (a line end, a tab)").arg(place);
    }
    return {};
}

UnitsFileContents parseUnitsFile(QByteArrayView bytes)
{
    bytes = withoutByteOrderMark(bytes);
    UnitsFileContents contents;
    const std::optional<QString> text = utf8Text(bytes);
    if (!text) {
        contents.errors.append(errorAt(firstLineNotUtf8(bytes), 0, Problem::NotUtf8));
        return contents;
    }

    CsvContents csv = parseCsv(*text);
    for (const CsvError &error : csv.errors) {
        const Problem problem = error.problem == CsvError::Problem::UnclosedQuote ? Problem::UnclosedQuote
                                                                                   : Problem::TextAfterQuote;
        contents.errors.append(errorAt(error.line, error.column, problem));
    }
    csv.records.removeIf(isEmptyRow);
    if (csv.records.isEmpty()) {
        if (csv.errors.isEmpty())
            contents.errors.append(errorAt(1, 0, Problem::NoHeader));
        return contents;
    }

    const Columns columns = readHeader(csv.records.first(), contents.errors);
    QHash<QString, int> lineOfPort;
    for (qsizetype index = 1; index < csv.records.size(); ++index)
        readRow(csv.records.at(index), columns, lineOfPort, contents);
    // Errors in the order of the file, as a reader goes through it.
    std::stable_sort(contents.errors.begin(), contents.errors.end(),
                     [](const UnitsFileError &a, const UnitsFileError &b) { return a.line < b.line; });
    return contents;
}

bool readUnitsFile(const QString &path, UnitsFileContents *contents, QString *reason)
{
    QByteArray bytes;
    if (!readSmallFile(path, kLargestUnitsFile, UnitsFile::tr("larger than %1 bytes: not a units file").arg(kLargestUnitsFile), &bytes, reason))
        return false;
    *contents = parseUnitsFile(bytes);
    return true;
}

} // namespace telvaro::settings
