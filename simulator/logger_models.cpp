#include "simulator/logger_models.h"

#include <array>

namespace {

LoggerModel model(const char *code, const char *file, int channels, bool hasApn)
{
    return {QByteArray(code), QString::fromLatin1(file), channels, hasApn};
}

const std::array<LoggerModel, 15> &table()
{
    // Two codes share the PELT file: they are the same hardware under two names.
    static const std::array<LoggerModel, 15> models = {
        model("QAN", "Telvaro-QA-N.ini", 16, true),
        model("RIVON", "Telvaro-RIVO-N.ini", 8, true),
        model("BRK5N", "Telvaro-BRK5-N.ini", 5, false),
        model("LOXAN", "Telvaro-LOXA-N.ini", 16, true),
        model("PELTN", "Telvaro-PELT-N.ini", 12, true),
        model("GARVN", "Telvaro-G-N.ini", 16, true),
        model("VK8N", "Telvaro-VK8-N.ini", 8, false),
        model("HK8N", "Telvaro-HK8-N.ini", 8, true),
        model("G8N", "Telvaro-G8-N.ini", 8, true),
        model("G4N", "Telvaro-G4-N.ini", 4, true),
        model("GPN", "Telvaro-GP-N.ini", 16, true),
        model("GSN", "Telvaro-GS-N.ini", 16, true),
        model("PLHKN", "Telvaro-PLHK-N.ini", 10, false),
        model("NORDN", "Telvaro-NORD-N.ini", 16, true),
        model("VOSPELTN", "Telvaro-PELT-N.ini", 12, true),
    };
    return models;
}

} // namespace

std::span<const LoggerModel> loggerModels()
{
    return table();
}

const LoggerModel *findLoggerModel(const QByteArray &code)
{
    for (const LoggerModel &model : table()) {
        if (model.code == code)
            return &model;
    }
    return nullptr;
}
