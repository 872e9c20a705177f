#include "files/env_file.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QtEndian>

using namespace telvaro::base;

namespace telvaro::files {

Q_LOGGING_CATEGORY(lcEnvFile, "telvaro.envfile")

namespace {

QString &envFolder()
{
    static QString folder; // empty: the current folder
    return folder;
}

qint16 fieldAt(QByteArrayView record, int offset)
{
    char bytes[2] = {0, 0};
    for (int i = 0; i < 2 && offset + i < record.size(); ++i)
        bytes[i] = record[offset + i];
    return qFromLittleEndian<qint16>(bytes);
}

} // namespace

QString envFilePath()
{
    return envFolder().isEmpty() ? kEnvFileName : QDir(envFolder()).filePath(kEnvFileName);
}

void keepEnvFileIn(const QString &folder)
{
    envFolder() = folder;
}

PortChoice portChoiceFromRecord(QByteArrayView record)
{
    return PortChoice{fieldAt(record, 0), fieldAt(record, 2)};
}

QByteArray recordFromPortChoice(const PortChoice &choice)
{
    QByteArray record(kEnvRecordSize, '\0');
    qToLittleEndian<qint16>(choice.PortIndex, record.data());
    qToLittleEndian<qint16>(choice.BaudIndex, record.data() + 2);
    return record;
}

PortChoice LoadEnv(const QString &path)
{
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcEnvFile) << "cannot read" << path << file.errorString();
            return {};
        }
        return portChoiceFromRecord(file.read(kEnvRecordSize));
    }
    // A first start: the file is created empty, which stands for 0 and 0.
    if (!file.open(QIODevice::WriteOnly))
        qCWarning(lcEnvFile) << "cannot create" << path << file.errorString();
    return {};
}

bool SaveEnv(const PortChoice &choice, const QString &path)
{
    // Written whole or not at all: a half-written record would choose a port nobody picked.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcEnvFile) << "cannot write" << path << file.errorString();
        return false;
    }
    file.write(recordFromPortChoice(choice));
    if (!file.commit()) {
        qCWarning(lcEnvFile) << "cannot write" << path << file.errorString();
        return false;
    }
    return true;
}

} // namespace telvaro::files
