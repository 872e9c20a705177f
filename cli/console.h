#pragma once

#include <QString>
#include <QTextStream>

// Where a command speaks: what it was asked for on standard output, messages on standard error.
// Every line goes out at once, so the two streams stay in order on a terminal.
class Console
{
public:
    Console();

    void print(const QString &line);
    void tell(const QString &line);

private:
    QTextStream m_out;
    QTextStream m_err;
};
