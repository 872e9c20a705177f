#include "cli/live_lines.h"

#include "cli/console.h"
#include "text/display_width.h"

#include <sys/ioctl.h>
#include <unistd.h>

using namespace telvaro::text;

namespace telvaro::cli {

namespace {

const QString kEscape = QStringLiteral("\x1b[");
const QString kClearLine = QStringLiteral("\r\x1b[2K");

int terminalColumns()
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

} // namespace

LiveLines::LiveLines(Console &console, const QStringList &names)
    : m_console(console)
{
    for (const QString &name : names)
        m_lines.append({name, QString(), 0, 0, QString()});
    if (m_console.errorIsTerminal())
        m_columns = terminalColumns();
}

bool LiveLines::drawsInPlace() const
{
    return m_console.errorIsTerminal();
}

void LiveLines::setStatus(int index, const QString &status)
{
    Line &line = m_lines[index];
    if (line.status == status)
        return;
    line.status = status;
    // An exchange begins by emptying the status; its first own text follows at once.
    if (!status.isEmpty())
        show(index);
}

void LiveLines::setProgress(int index, int done, int total)
{
    Line &line = m_lines[index];
    line.done = done;
    line.total = total;
    if (drawsInPlace())
        show(index);
}

void LiveLines::setNote(int index, const QString &note)
{
    Line &line = m_lines[index];
    if (line.note == note)
        return;
    line.note = note;
    show(index);
}

void LiveLines::finish(int index, const QString &text)
{
    Line &line = m_lines[index];
    line.status = text;
    line.total = 0;
    line.note.clear();
    show(index);
}

QString LiveLines::textOf(const Line &line) const
{
    QString text = line.name + QStringLiteral(": ") + line.status;
    if (line.total > 0)
        text += QStringLiteral(" %1/%2").arg(line.done).arg(line.total);
    if (!line.note.isEmpty())
        text += QStringLiteral(" (%1)").arg(line.note);
    return text;
}

void LiveLines::show(int index)
{
    if (!m_console.errorIsTerminal()) {
        m_console.tell(textOf(m_lines.at(index)));
        return;
    }
    if (!m_drawn) {
        drawAll();
        return;
    }
    // Up to the line, draw it, and back below the block.
    const int up = int(m_lines.size()) - index;
    m_console.draw(kEscape + QString::number(up) + u'A' + kClearLine + fitted(textOf(m_lines.at(index)))
                   + kEscape + QString::number(up) + u'B' + u'\r');
}

void LiveLines::drawAll()
{
    QString block;
    for (const Line &line : std::as_const(m_lines))
        block += kClearLine + fitted(textOf(line)) + u'\n';
    m_console.draw(block);
    m_drawn = true;
}

QString LiveLines::fitted(const QString &text) const
{
    // A line that wraps would take the block out of step with the cursor.
    if (displayWidth(text) < m_columns)
        return text;
    QString cut;
    for (const QChar character : text) {
        if (displayWidth(cut + character) >= m_columns - 1)
            break;
        cut += character;
    }
    return cut + u'…';
}

} // namespace telvaro::cli
