#include "settings/csv_records.h"

namespace telvaro::settings {

namespace {

// Reads one record after another; pos always stands at the start of a field.
class CsvReader
{
public:
    explicit CsvReader(QStringView text) : m_text(text) {}

    CsvContents readAll()
    {
        CsvContents contents;
        while (!atEnd()) {
            CsvRecord record{m_line, {}};
            bool good = true;
            for (;;) {
                const int fieldLine = m_line;
                const int column = int(record.fields.size()) + 1;
                std::optional<CsvError::Problem> problem;
                record.fields.append(readField(&problem));
                if (problem) {
                    contents.errors.append({fieldLine, column, *problem});
                    good = false;
                }
                if (atEnd() || takeLineEnd())
                    break;
                ++m_pos; // the comma
            }
            if (good)
                contents.records.append(record);
        }
        return contents;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return m_text.at(m_pos); }

    bool atLineEnd() const
    {
        return current() == u'\n' || (current() == u'\r' && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'\n');
    }

    // Steps over a line end at pos; false when there is none.
    bool takeLineEnd()
    {
        if (!atLineEnd())
            return false;
        m_pos += current() == u'\r' ? 2 : 1;
        ++m_line;
        return true;
    }

    bool atFieldEnd() const { return atEnd() || current() == u',' || atLineEnd(); }

    CsvField readField(std::optional<CsvError::Problem> *problem)
    {
        if (atEnd() || current() != u'"') {
            const qsizetype start = m_pos;
            while (!atFieldEnd())
                ++m_pos;
            return {m_text.sliced(start, m_pos - start).toString(), false};
        }

        QString text;
        ++m_pos; // the opening quote
        for (;;) {
            if (atEnd()) {
                *problem = CsvError::Problem::UnclosedQuote;
                return {text, true};
            }
            const QChar c = current();
            ++m_pos;
            if (c == u'"') {
                if (!atEnd() && current() == u'"') {
                    text += u'"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (c == u'\n')
                ++m_line;
            text += c;
        }
        if (!atFieldEnd()) {
            *problem = CsvError::Problem::TextAfterQuote;
            while (!atFieldEnd())
                ++m_pos;
        }
        return {text, true};
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace

CsvContents parseCsv(QStringView text)
{
    return CsvReader(text).readAll();
}

QByteArray csvRecordBytes(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields) {
        const bool needsQuotes =
            field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r');
        quoted.append(needsQuotes ? u'"' + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"' : field);
    }
    return quoted.join(u',').toUtf8() + "\r\n";
}

} // namespace telvaro::settings
