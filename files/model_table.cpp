#include "files/model_table.h"

#include "base/logger_models.h"

std::optional<QString> modelDefinitionFileFor(const QString &modelCode)
{
    for (const LoggerModel &model : kLoggerModels) {
        if (modelCode == QLatin1StringView(model.code.data(), qsizetype(model.code.size())))
            return QLatin1StringView(model.definitionFile.data(), qsizetype(model.definitionFile.size())).toString();
    }
    return std::nullopt;
}
