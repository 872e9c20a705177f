#pragma once

#include <QLocale>

class QCoreApplication;

namespace telvaro::translations {

// Installs the catalogues of the language of locale, where there are some (Japanese): the tool's
// own messages, and Qt's for its standard buttons and dialogs. Texts stay in English otherwise.
void installTranslations(QCoreApplication &application, const QLocale &locale = QLocale());

} // namespace telvaro::translations
