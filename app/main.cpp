#include "files/app_folder.h"
#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "translations/translations.h"
#include "widgets/frm_main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window speaks Japanese whatever the system's language: its messages, and Qt's buttons too.
    installTranslations(app, QLocale(QLocale::Japanese, QLocale::Japan));

    SettingsState state;
    ScreenModel screen;
    QtSerialLine comPort;
    FrmMain window(state, screen, AppFolder::ofRunningProgram(), comPort);
    window.show();
    return app.exec();
}
