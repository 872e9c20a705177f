#pragma once

#include <QString>

#include <stdexcept>

namespace telvaro::base {

// An error that ends the running procedure: a sequence catches it and takes its error path.
// The message is for the developer's log, never shown to the operator.
class RunTimeError : public std::runtime_error
{
public:
    explicit RunTimeError(const QString &what) : std::runtime_error(what.toStdString()) {}
};

// An index outside the fixed, inclusive range of a table.
class IndexError : public RunTimeError
{
public:
    using RunTimeError::RunTimeError;
};

} // namespace telvaro::base
