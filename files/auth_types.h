#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::files {

class AppFolder;

// The authentication types the logger knows, as listed in auth.ini beside the program:
// one "code,name" line per type, at most four, code page 932.
struct AuthTypeList
{
    static constexpr int kEntries = 4;

    std::array<qint16, kEntries> codes{};
    std::array<QString, kEntries> names{};
};

// Line k fills entry k. A line that is blank, has no comma or whose code is no whole
// number in the 16-bit range leaves its entry at code 0 and an empty name; lines after
// the fourth are ignored. Entries without a line stay 0 and empty.
AuthTypeList parseAuthTypes(QByteArrayView fileBytes);

// Reads auth.ini from the program's folder into AuthCodes and AuthNames. A missing file
// leaves the lists as they are.
void LoadAuthTypes(state::SettingsState &state, const AppFolder &appFolder);

} // namespace telvaro::files
