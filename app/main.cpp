#include "app/graphical_application.h"
#include "app/program_options.h"
#include "app/window_destruction_watch.h"
#include "exchange/exchange_session.h"
#include "files/app_folder.h"
#include "files/env_file.h"
#include "files/user_data_folder.h"
#include "link/qt_serial_line.h"
#include "translations/translations.h"
#include "widgets/frm_main.h"

using namespace telvaro::files;
using namespace telvaro::link;
using namespace telvaro::exchange;
using namespace telvaro::widgets;
using namespace telvaro::translations;
using namespace telvaro::app;

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVARO_VERSION));
    if (const std::optional<int> answered = ProgramOptions::answerQuestions(argc, argv))
        return *answered;
    const std::unique_ptr<QApplication> app = startGraphicalApplication(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.telvaro.Config"));
    // The window speaks Japanese whatever the system's language: its messages, and Qt's buttons too.
    installTranslations(*app, QLocale(QLocale::Japanese, QLocale::Japan));
    const ProgramOptions options = ProgramOptions::parse(*app);
    if (options.envInUserFolder) {
        UserDataFolder::make(); // warns when it cannot; env.dat then cannot be kept either
        keepEnvFileIn(UserDataFolder::path());
    }

    ExchangeSession session(AppFolder::ofRunningProgram(), std::make_unique<QtSerialLine>());
    FrmMain window(session);
    window.show();
    const WindowDestructionWatch watch(window);
    QObject::connect(&watch, &WindowDestructionWatch::destroyedFromOutside, &window, &FrmMain::loseWindow);
    return app->exec();
}
