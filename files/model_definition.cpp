#include "files/model_definition.h"

#include "state/settings_state.h"
#include "text/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <array>

using namespace telvaro::base;
using namespace telvaro::text;
using namespace telvaro::state;

namespace telvaro::files {

namespace {

constexpr int kFirstOptionField = 3;

// Lines end in CR LF; a bare LF and a last line without an end are taken as well. The bytes
// are split before decoding, so no malformed double-byte character can swallow a line end.
QList<QByteArray> fileLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // what follows the last line end is no line
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

void storeOptionField(SettingsState &state, int line, int field, const QString &text)
{
    if (text.isEmpty())
        return; // no sub-fields
    const std::array tables{&state.ModelItemCode, &state.ModelItemName, &state.ModelItemUnit,
                            &state.ModelItemFormat};
    const QStringList subFields = text.split(u';');
    // Sub-fields beyond the four are ignored; missing ones leave their entries as they were.
    for (qsizetype m = 0; m < qsizetype(tables.size()) && m < subFields.size(); ++m)
        tables[m]->at(line, field) = subFields.at(m);
}

void storeLine(SettingsState &state, int line, const QString &text)
{
    if (text.isEmpty())
        return; // no fields, though it takes its line number

    const QStringList fields = text.split(u',');
    state.ModelChLabel.at(line) = fields.at(0);
    if (fields.size() > 1)
        state.ModelAlarmFlag.at(line) = fields.at(1);
    if (fields.size() > 2)
        state.ModelDefaultItem.at(line) = fields.at(2);
    if (fields.size() < kFirstOptionField)
        throw RunTimeError(QStringLiteral("model line %1 has %2 field(s), fewer than three")
                               .arg(line)
                               .arg(fields.size()));

    for (int field = kFirstOptionField; field < fields.size(); ++field)
        storeOptionField(state, line, field, fields.at(field));
}

} // namespace

void applyModelDefinition(SettingsState &state, const QByteArray &fileBytes)
{
    const QList<QByteArray> lines = fileLines(fileBytes);
    for (int i = 0; i < lines.size(); ++i)
        storeLine(state, i, Cp932::decode(lines.at(i)));
}

void LoadModelDefinition(SettingsState &state)
{
    const QString &path = state.ModelIniPath;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RunTimeError(QStringLiteral("cannot open model definition file %1: %2")
                               .arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RunTimeError(QStringLiteral("cannot read model definition file %1: %2")
                               .arg(path, file.errorString()));
    applyModelDefinition(state, bytes);
}

} // namespace telvaro::files
