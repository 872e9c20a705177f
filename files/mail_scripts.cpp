#include "files/mail_scripts.h"

#include "text/narrowing.h"

namespace {

struct ConnectionKey
{
    const char16_t *key;
    const char16_t *caption; // the label beside the field on the screen
};

// In file order, which is the index order of the connection fields.
constexpr std::array<ConnectionKey, MailScriptInputs::kConnectionItems> kConnectionKeys = {{
    {u"CALOGINID=", u"LoginID"},
    {u"CALOGINPASS=", u"LoginPass"},
    {u"CATELNO=", u"TelNo"},
    {u"CAPOPID=", u"POPID"},
    {u"CAPOPPASS=", u"POPPASS"},
    {u"CAPOPSERVER=", u"POPSERVER"},
    {u"CASMTPSERVER=", u"SMTPSERVER"},
    {u"CAFROMADDRESS=", u"FromAddress"},
    {u"CADNS1=", u"DNS1"},
    {u"CADNS2=", u"DNS2"},
    {u"CAAPN=", u"APN"},
}};

} // namespace

QList<ScriptLine> mailScriptLines(const MailScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    for (int i = 0; i < MailScriptInputs::kAddresses; ++i) {
        const int number = i + 1;
        lines.append({QStringLiteral("CADATAADDRESS%1=").arg(number), narrowed(inputs.dataAddress[i]),
                      QStringLiteral("データ送信先アドレス %1").arg(number)});
        lines.append({QStringLiteral("CAALARMADDRESS%1=").arg(number), narrowed(inputs.alarmAddress[i]),
                      QStringLiteral("警報送信先アドレス %1").arg(number)});
    }
    return lines;
}

QList<ScriptLine> connectionScriptLines(const MailScriptInputs &inputs)
{
    QList<ScriptLine> lines;
    for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i) {
        lines.append({QString::fromUtf16(kConnectionKeys[i].key), narrowed(inputs.connection[i]),
                      QString::fromUtf16(kConnectionKeys[i].caption)});
    }
    lines.append({QStringLiteral("CAAUTHTYPE="), inputs.authCaption, QStringLiteral("Auth")});
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

bool BuildMailScript(const AppFolder &folder, const MailScriptInputs &inputs)
{
    return writeScriptFile(folder, QStringLiteral("mail.eep"), mailScriptBytes(inputs))
           && writeScriptFile(folder, QStringLiteral("Mmail.eep"), connectionScriptBytes(inputs));
}
