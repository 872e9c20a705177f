#include "translations/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace telvaro::translations {

namespace {

void install(QCoreApplication &application, const QLocale &locale, const QString &catalogue, const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(locale, catalogue, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(QCoreApplication &application, const QLocale &locale)
{
    install(application, locale, QStringLiteral("telvaro"), QStringLiteral(":/i18n"));
    // Qt's own come with the system's Qt, where its translations are installed.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    install(application, locale, QStringLiteral("qtbase"), qtFolder);
    install(application, locale, QStringLiteral("qtserialport"), qtFolder);
}

} // namespace telvaro::translations
