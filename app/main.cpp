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

#include <QDir>
#include <QIcon>

#include <algorithm>

using namespace telvaro::files;
using namespace telvaro::link;
using namespace telvaro::exchange;
using namespace telvaro::widgets;
using namespace telvaro::translations;
using namespace telvaro::app;

namespace {

// The icon of every window of the tool in each size compiled in: X11 desktops show it in the
// title bar and the task bar, which the menu entry's icon does not reach. Smallest first: X11
// takes the sizes in the order given only while they fit into one request, which the largest
// does not.
QIcon toolIcon()
{
    QStringList names = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
    const auto edge = [](const QString &name) { return name.section(u'-', -1).section(u'.', 0, 0).toInt(); };
    std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) { return edge(a) < edge(b); });
    QIcon icon;
    for (const QString &name : std::as_const(names))
        icon.addFile(QStringLiteral(":/icons/") + name);
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVARO_VERSION));
    if (const std::optional<int> answered = ProgramOptions::answerQuestions(argc, argv))
        return *answered;
    const std::unique_ptr<QApplication> app = startGraphicalApplication(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.telvaro.Config"));
    QGuiApplication::setWindowIcon(toolIcon());
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
