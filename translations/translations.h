#pragma once

class QCoreApplication;

// Installs the catalogue of the user's language, where there is one (Japanese); the messages
// stay in English otherwise.
void installTranslations(QCoreApplication &application);
