#pragma once

#include "base/run_time_error.h"

#include <QString>

#include <array>
#include <cstddef>

namespace telvaro::base {

// A table with the fixed, inclusive index range 0..Last. An index from outside is an
// IndexError that ends the running procedure instead of touching memory it does not own.
template<typename T, int Last>
class FixedTable
{
public:
    static constexpr int kLast = Last;

    T &at(int index) { return m_entries[checked(index)]; }
    const T &at(int index) const { return m_entries[checked(index)]; }

private:
    static std::size_t checked(int index)
    {
        if (index < 0 || index > Last)
            throw IndexError(QStringLiteral("index %1 outside 0..%2").arg(index).arg(Last));
        return static_cast<std::size_t>(index);
    }

    std::array<T, Last + 1> m_entries{};
};

// A two-dimensional table with the inclusive ranges 0..LastRow and 0..LastColumn.
template<typename T, int LastRow, int LastColumn>
class FixedTable2D
{
public:
    T &at(int row, int column) { return m_rows.at(row).at(column); }
    const T &at(int row, int column) const { return m_rows.at(row).at(column); }

private:
    FixedTable<FixedTable<T, LastColumn>, LastRow> m_rows;
};

} // namespace telvaro::base
