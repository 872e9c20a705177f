#include "simulator/logger_settings.h"

#include "base/logger_items.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace telvaro::base;

namespace telvaro::simulator {

LoggerSettings::LoggerSettings(const QString &filePath)
    : m_filePath(filePath)
    , m_values(defaults())
{
}

QMap<QByteArray, QByteArray> LoggerSettings::defaults()
{
    QMap<QByteArray, QByteArray> values;
    // Every item of the item table under each of its names, empty unless it has a sample below.
    for (const LoggerItems::Row &row : LoggerItems::kRows) {
        for (const std::string_view name : {row.name, row.alsoWrittenAs}) {
            const QByteArray key(name.data(), qsizetype(name.size()));
            for (int i = 0; !key.isEmpty() && i < LoggerItems::itemsOf(row); ++i)
                values.insert(LoggerItems::isNumbered(row) ? key + QByteArray::number(row.first + i) : key, QByteArray());
        }
    }

    // Element codes the default model offers on its first rows; "127" is a row's default element.
    for (int row = 0; row < LoggerItems::kChannelRows; ++row)
        values.insert("mode" + QByteArray::number(row), "127");
    values.insert("mode0", "001");
    values.insert("mode1", "002");
    values.insert("mode2", "003");
    // Every row's limits -10.0 to 50.0, under both names of the limits.
    constexpr const LoggerItems::Row &limits = LoggerItems::row("ALARM");
    for (const std::string_view name : {limits.name, limits.alsoWrittenAs}) {
        for (int limit = limits.first; limit < limits.first + limits.count; ++limit) {
            values.insert(QByteArray(name.data(), qsizetype(name.size())) + QByteArray::number(limit),
                          limit % 2 == 0 ? "-10.0" : "50.0");
        }
    }
    values.insert("CAALARMADDRESS1", "alarm1@example.jp");
    values.insert("CAALARMADDRESS2", "alarm2@example.jp");
    values.insert("CADATAADDRESS1", "data1@example.jp");
    values.insert("CALOGINID", "user01");
    values.insert("CALOGINPASS", "pass01");
    values.insert("CATELNO", "*99***1#");
    values.insert("CAPOPID", "logger01");
    values.insert("CAPOPPASS", "poppass01");
    values.insert("CAPOPSERVER", "pop.example.jp");
    values.insert("CASMTPSERVER", "smtp.example.jp");
    values.insert("CAFROMADDRESS", "logger01@example.jp");
    values.insert("CADNS1", "192.0.2.1");
    values.insert("CADNS2", "192.0.2.2");
    values.insert("CAAPN", "example.apn");
    values.insert("CAAUTHTYPE", "2");
    return values;
}

QByteArray LoggerSettings::escaped(const QByteArray &value)
{
    QByteArray out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

QByteArray LoggerSettings::unescaped(const QByteArray &stored)
{
    QByteArray out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const char c = stored.at(i);
        if (c != '\\' || i + 1 == stored.size()) {
            out += c;
            continue;
        }
        const char next = stored.at(++i);
        out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

bool LoggerSettings::load(QString *error)
{
    if (m_filePath.isEmpty() || !QFileInfo::exists(m_filePath))
        return true;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue; // blank or foreign lines carry no setting
        m_values.insert(line.left(equals), unescaped(line.mid(equals + 1)));
    }
    return true;
}

bool LoggerSettings::save(QString *error) const
{
    if (m_filePath.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        file.write(it.key() + '=' + escaped(it.value()) + '\n');
    if (!file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_filePath, file.errorString());
        return false;
    }
    return true;
}

} // namespace telvaro::simulator
