#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace telvaro::cli {

class Console;

// A line per logger on standard error that follows its exchange: "COM3: Ch情報取得中 12/110",
// the sequence's status text and the script lines answered of all it has to play. On a terminal
// the lines are drawn again in place as they change; elsewhere (a pipe, a log file) a logger's
// line is printed each time its status text changes, so the record stays short.
class LiveLines
{
public:
    LiveLines(Console &console, const QStringList &names);

    // On a terminal: every change shows at once. Elsewhere a change of the lines answered shows
    // with the next status text.
    bool drawsInPlace() const;

    void setStatus(int index, const QString &status);
    void setProgress(int index, int done, int total);
    // Said after the status until the line finishes: what a stop asked for does to the logger.
    void setNote(int index, const QString &note);
    // The logger's last word, printed whether it changed or not.
    void finish(int index, const QString &text);

private:
    struct Line
    {
        QString name;
        QString status;
        int done = 0;
        int total = 0;
        QString note;
    };

    QString textOf(const Line &line) const;
    void show(int index);
    void drawAll();
    QString fitted(const QString &text) const;

    Console &m_console;
    QList<Line> m_lines;
    bool m_drawn = false;
    int m_columns = 80;
};

} // namespace telvaro::cli
