#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray installFile(const QString &name)
{
    return readFile(QDir(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR)).filePath(name));
}

DeviceSettings settingsOf(std::initializer_list<std::pair<QString, QString>> items)
{
    DeviceSettings settings;
    for (const auto &[name, value] : items)
        settings.set(name, value);
    return settings;
}
