#include "support/widgets/window_translations.h"

#include "translations/translations.h"

#include <QCoreApplication>

void translateAsTheProgramDoes()
{
    static bool installed = false;
    if (installed)
        return;
    installTranslations(*QCoreApplication::instance(), QLocale(QLocale::Japanese, QLocale::Japan));
    installed = true;
}
