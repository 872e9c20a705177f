#include "files/auth_types.h"

#include "files/app_folder.h"
#include "state/settings_state.h"
#include "text/cp932.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringList>

using namespace telvaro::text;
using namespace telvaro::state;

namespace telvaro::files {

Q_LOGGING_CATEGORY(lcAuthTypes, "telvaro.authtypes")

namespace {

const QString kAuthFileName = QStringLiteral("auth.ini");

QStringList linesOf(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // A line end closes its line; only text after the last one is a further line.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

AuthTypeList parseAuthTypes(QByteArrayView fileBytes)
{
    AuthTypeList list;
    const QStringList lines = linesOf(Cp932::decode(fileBytes));
    for (int k = 0; k < AuthTypeList::kEntries && k < lines.size(); ++k) {
        const QStringList fields = lines.at(k).split(QLatin1Char(','));
        if (fields.size() < 2) {
            qCWarning(lcAuthTypes) << "line" << k + 1 << "has no comma:" << lines.at(k);
            continue;
        }
        bool isNumber = false;
        const qint16 code = fields.at(0).trimmed().toShort(&isNumber);
        if (!isNumber) {
            qCWarning(lcAuthTypes) << "line" << k + 1 << "has no 16-bit code:" << lines.at(k);
            continue;
        }
        list.codes[k] = code;
        list.names[k] = fields.at(1);
    }
    if (lines.size() > AuthTypeList::kEntries)
        qCWarning(lcAuthTypes) << "lines after the fourth are ignored";
    return list;
}

void LoadAuthTypes(SettingsState &state, const AppFolder &appFolder)
{
    QFile file(appFolder.file(kAuthFileName));
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcAuthTypes) << "cannot read" << file.fileName() << file.errorString();
        return;
    }
    const AuthTypeList list = parseAuthTypes(file.readAll());
    for (int k = 0; k < AuthTypeList::kEntries; ++k) {
        state.AuthCodes.at(k) = list.codes[k];
        state.AuthNames.at(k) = list.names[k];
    }
}

} // namespace telvaro::files
