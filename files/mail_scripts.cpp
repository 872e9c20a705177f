#include "files/mail_scripts.h"

#include "files/answer_bytes.h"
#include "text/narrowing.h"

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::text;

namespace telvaro::files {

// A data address, then the alarm address of the same number.
QList<ScriptLine> mailScriptLines(const MailScriptInputs &inputs)
{
    constexpr const LoggerItems::Row &data = LoggerItems::row("CADATAADDRESS");
    constexpr const LoggerItems::Row &alarm = LoggerItems::row("CAALARMADDRESS");
    QList<ScriptLine> lines;
    for (int i = 0; i < MailScriptInputs::kAddresses; ++i) {
        const int number = data.first + i;
        lines.append({LoggerItems::nameOf(data, number) + u'=', narrowed(inputs.dataAddress[i]),
                      LoggerItems::captionOf(data.caption, number), inputs.dataAddress[i]});
        lines.append({LoggerItems::nameOf(alarm, number) + u'=', narrowed(inputs.alarmAddress[i]),
                      LoggerItems::captionOf(alarm.caption, number), inputs.alarmAddress[i]});
    }
    return lines;
}

QList<ScriptLine> connectionScriptLines(const MailScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    for (const LoggerItems::Row &row : LoggerItems::kRows) {
        if (row.block != ItemBlock::Connection)
            continue;
        // Text typed into a box is narrowed; the authentication code goes out as it stands.
        const QString shown = row.field == ItemField::AuthLabel ? inputs.authCaption
                                                                : inputs.connection.at(std::size_t(LoggerItems::boxOf(row)));
        const QString value = row.field == ItemField::AuthLabel ? shown : narrowed(shown);
        lines.append({LoggerItems::nameOf(row) + u'=', value, LoggerItems::captionOf(row), shown});
    }
    return lines;
}

QByteArray mailScriptBytes(const MailScriptInputs &inputs)
{
    return scriptFileBytes(mailScriptLines(inputs));
}

QByteArray connectionScriptBytes(const MailScriptInputs &inputs)
{
    return scriptFileBytes(connectionScriptLines(inputs));
}

bool BuildMailScript(const AppFolder &folder, const MailScriptInputs &inputs, const DeviceImageBytes &image)
{
    return writeScriptFile(folder, QStringLiteral("mail.eep"),
                           scriptFileBytes(withAnswerBytes(mailScriptLines(inputs), image)))
           && writeScriptFile(folder, QStringLiteral("Mmail.eep"),
                              scriptFileBytes(withAnswerBytes(connectionScriptLines(inputs), image)));
}

} // namespace telvaro::files
