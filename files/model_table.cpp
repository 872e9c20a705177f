#include "files/model_table.h"

#include "base/logger_models.h"

using namespace telvaro::base;

namespace telvaro::files {

std::optional<QString> modelDefinitionFileFor(const QString &modelCode)
{
    for (const LoggerModel &model : kLoggerModels) {
        if (modelCode == QLatin1StringView(model.code.data(), qsizetype(model.code.size())))
            return QLatin1StringView(model.definitionFile.data(), qsizetype(model.definitionFile.size())).toString();
    }
    return std::nullopt;
}

} // namespace telvaro::files
