#pragma once

#include "settings/device_settings.h"

#include <QObject>
#include <QString>

#include <optional>

class QFileDialog;
class QMainWindow;
class QMenu;

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::files {
class AppFolder;
} // namespace telvaro::files

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::screen_files {
class ScreenOrigins;
} // namespace telvaro::screen_files

namespace telvaro::widgets {

// The menu "ファイル(&F)" of the main window: a settings file opened on the screen, the screen
// saved to one, the screen compared with one. It asks for the file names, shows the messages and
// the comparison, and leaves the work to the screen's settings functions. It is usable while
// the settings menu is, so never while an exchange runs.
class SettingsFileMenu : public QObject
{
    Q_OBJECT

public:
    // Puts the menu into the window's menu bar, before the menus already there.
    SettingsFileMenu(QMainWindow *window, state::SettingsState &state, model::ScreenModel &screen,
                     screen_files::ScreenOrigins &origins, const files::AppFolder &appFolder);

    QMenu *menu() const { return m_menu; }

    void openFile();
    void saveFile();
    void compareWithFile();
    // Puts settings not from a file on the screen as opening a file does, as given by name.
    void openSettings(const settings::DeviceSettings &file, const QString &name);

signals:
    // A settings file was opened onto the screen or the screen saved into one.
    void fileUsed(const QString &path);

private:
    // The file the operator chooses, or nothing when the dialog is cancelled.
    std::optional<QString> askFileToRead(const QString &title);
    std::optional<QString> askFileToSave();
    // The file chosen, whose folder the next dialog starts in, however it was chosen.
    std::optional<QString> chosen(QFileDialog &dialog);
    // "GSN_20261209.txt": the model on the screen and the day.
    QString suggestedName() const;
    // The items of the file; nothing, after a message naming the file and what is wrong, when
    // it cannot be read or holds errors. whatNot says what was therefore not done.
    std::optional<settings::DeviceSettings> readFile(const QString &path, const QString &whatNot);
    bool applyOtherModelsChannelItems(const QString &path, const QString &fileModel, const QString &screenModel);

    QMainWindow *m_window = nullptr;
    state::SettingsState &m_state;
    model::ScreenModel &m_screen;
    screen_files::ScreenOrigins &m_origins;
    const files::AppFolder &m_appFolder;
    QMenu *m_menu = nullptr;
    QString m_folder; // where the last file was chosen
};

} // namespace telvaro::widgets
