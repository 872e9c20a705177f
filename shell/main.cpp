#include "binding/settings_state.h"
#include "screen/frm_main.h"
#include "scripts/app_folder.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    SettingsState state;
    FrmMain window(state, AppFolder::ofRunningProgram());
    window.show();
    return app.exec();
}
