#pragma once

#include <QByteArray>
#include <QString>

#include <span>

// What the simulated logger knows about each model: how many channels it has and whether it
// has the APN and authentication items. The file name is the model definition file installed
// for that model; its line count equals the channel count.
struct LoggerModel
{
    QByteArray code;
    QString definitionFile;
    int channels = 16;
    bool hasApn = true;
};

std::span<const LoggerModel> loggerModels();

// The first model with this code, or nullptr.
const LoggerModel *findLoggerModel(const QByteArray &code);
