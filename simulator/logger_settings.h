#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace telvaro::simulator {

// The settings a simulated logger keeps, as raw bytes (code page 932 on the wire), in a
// key=value text file so that a later run shows what an earlier one was written. Carriage
// return, line feed and backslash inside a value are stored as \r, \n and \\.
class LoggerSettings
{
public:
    // An empty path keeps the settings in memory only.
    explicit LoggerSettings(const QString &filePath = {});

    // Loads the file over the defaults. A missing file is no error: the defaults stand.
    bool load(QString *error);
    // Writes the whole file atomically; a half-written file never replaces a good one.
    bool save(QString *error) const;

    bool contains(const QByteArray &key) const { return m_values.contains(key); }
    QByteArray value(const QByteArray &key) const { return m_values.value(key); }
    void setValue(const QByteArray &key, const QByteArray &value) { m_values.insert(key, value); }

    const QString &filePath() const { return m_filePath; }

    static QMap<QByteArray, QByteArray> defaults();
    static QByteArray escaped(const QByteArray &value);
    static QByteArray unescaped(const QByteArray &stored);

private:
    QString m_filePath;
    QMap<QByteArray, QByteArray> m_values;
};

} // namespace telvaro::simulator
