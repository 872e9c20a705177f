#pragma once

#include "files/app_folder.h"
#include "model/screen_model.h"
#include "screen_files/screen_origins.h"
#include "screen_files/settings_opening.h"
#include "settings/device_settings.h"
#include "state/settings_state.h"
#include "support/telvaro_names.h"
#include "support/temp_app_folder.h"

#include <QStringList>

// The answers of a logger of the default model that has every item; GSN rows 12..15 take no limits.
DeviceSettings loggerAnswers();

// A screen without window and its state, in a program folder holding the installation files,
// as a read or an opened file leaves it.
class ReadScreen
{
public:
    ReadScreen();

    // As a read of a logger of the model with these answers leaves them.
    void showAsRead(const DeviceSettings &answers, const QString &model = QStringLiteral("GSN"));
    // The file opened as the window opens one; answer is the operator's to a file of another model.
    SettingsOpened open(const DeviceSettings &file, bool answer = false);
    QList<bool> commandsEnabled() const;

    TempAppFolder folder{TempAppFolder::allInstallFiles()};
    AppFolder appFolder = folder.appFolder();
    SettingsState state;
    ScreenModel screen;
    ScreenOrigins origins;
    QStringList questions;
};
