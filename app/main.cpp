#include "files/app_folder.h"
#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "widgets/frm_main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    SettingsState state;
    ScreenModel screen;
    QtSerialLine comPort;
    FrmMain window(state, screen, AppFolder::ofRunningProgram(), comPort);
    window.show();
    return app.exec();
}
