#include "files/model_table.h"

#include <array>
#include <utility>

namespace {

// First equal row wins; two codes share the PELT file.
constexpr std::array<std::pair<const char16_t *, const char16_t *>, 15> kModelTable{{
    {u"QAN", u"Telvaro-QA-N.ini"},
    {u"RIVON", u"Telvaro-RIVO-N.ini"},
    {u"BRK5N", u"Telvaro-BRK5-N.ini"},
    {u"LOXAN", u"Telvaro-LOXA-N.ini"},
    {u"PELTN", u"Telvaro-PELT-N.ini"},
    {u"GARVN", u"Telvaro-G-N.ini"},
    {u"VK8N", u"Telvaro-VK8-N.ini"},
    {u"HK8N", u"Telvaro-HK8-N.ini"},
    {u"G8N", u"Telvaro-G8-N.ini"},
    {u"G4N", u"Telvaro-G4-N.ini"},
    {u"GPN", u"Telvaro-GP-N.ini"},
    {u"GSN", u"Telvaro-GS-N.ini"},
    {u"PLHKN", u"Telvaro-PLHK-N.ini"},
    {u"NORDN", u"Telvaro-NORD-N.ini"},
    {u"VOSPELTN", u"Telvaro-PELT-N.ini"},
}};

} // namespace

std::optional<QString> modelDefinitionFileFor(const QString &modelCode)
{
    for (const auto &[code, file] : kModelTable) {
        if (modelCode == QStringView(code))
            return QString::fromUtf16(file);
    }
    return std::nullopt;
}
