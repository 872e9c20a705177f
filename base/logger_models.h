#pragma once

#include "base/logger_items.h"

#include <array>
#include <string_view>

namespace telvaro::base {

// The logger models: the code a logger reports, the model definition file installed for it,
// and what the simulated logger makes of it.
struct LoggerModel
{
    std::string_view code;           // the answer to "EERM0" less its line end and last six characters
    std::string_view definitionFile; // installed beside the program; one line per channel
    int channels = 0;                // the channel rows the logger has
    bool hasApn = true;              // it has the APN and authentication items
};

// A code is compared exactly, case included; the first equal row wins. Two codes share the PELT
// file: they are the same hardware under two names.
inline constexpr std::array kLoggerModels{
    LoggerModel{"QAN", "Telvaro-QA-N.ini", 16, true},
    LoggerModel{"RIVON", "Telvaro-RIVO-N.ini", 8, true},
    LoggerModel{"BRK5N", "Telvaro-BRK5-N.ini", 5, false},
    LoggerModel{"LOXAN", "Telvaro-LOXA-N.ini", 16, true},
    LoggerModel{"PELTN", "Telvaro-PELT-N.ini", 12, true},
    LoggerModel{"GARVN", "Telvaro-G-N.ini", 16, true},
    LoggerModel{"VK8N", "Telvaro-VK8-N.ini", 8, false},
    LoggerModel{"HK8N", "Telvaro-HK8-N.ini", 8, true},
    LoggerModel{"G8N", "Telvaro-G8-N.ini", 8, true},
    LoggerModel{"G4N", "Telvaro-G4-N.ini", 4, true},
    LoggerModel{"GPN", "Telvaro-GP-N.ini", 16, true},
    LoggerModel{"GSN", "Telvaro-GS-N.ini", 16, true},
    LoggerModel{"PLHKN", "Telvaro-PLHK-N.ini", 10, false},
    LoggerModel{"NORDN", "Telvaro-NORD-N.ini", 16, true},
    LoggerModel{"VOSPELTN", "Telvaro-PELT-N.ini", 12, true},
};

// The model with this code, or nullptr.
constexpr const LoggerModel *findLoggerModel(std::string_view code)
{
    for (const LoggerModel &model : kLoggerModels) {
        if (model.code == code)
            return &model;
    }
    return nullptr;
}

namespace LoggerModelInvariants {

// A second row with the same code could never be chosen.
constexpr bool codesDistinct()
{
    for (const LoggerModel &model : kLoggerModels) {
        if (findLoggerModel(model.code) != &model)
            return false;
    }
    return true;
}

// Rows sharing a file are the same hardware.
constexpr bool sharedFilesAgree()
{
    for (const LoggerModel &a : kLoggerModels) {
        for (const LoggerModel &b : kLoggerModels) {
            if (a.definitionFile == b.definitionFile && (a.channels != b.channels || a.hasApn != b.hasApn))
                return false;
        }
    }
    return true;
}

constexpr bool rowsFitTheScreen()
{
    for (const LoggerModel &model : kLoggerModels) {
        if (model.code.empty() || !model.definitionFile.ends_with(".ini") || model.channels < 1
            || model.channels > LoggerItems::kChannelRows)
            return false;
    }
    return true;
}

} // namespace LoggerModelInvariants

static_assert(LoggerModelInvariants::codesDistinct());
static_assert(LoggerModelInvariants::sharedFilesAgree());
static_assert(LoggerModelInvariants::rowsFitTheScreen(), "a definition file of 1 to 16 rows");

} // namespace telvaro::base
