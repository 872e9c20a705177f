#pragma once

#include <QString>

namespace telvaro::link {

// The line ends of the serial line: every command goes out followed by LineCRLF.
inline const QString LineCR = QStringLiteral("\r");
inline const QString LineLF = QStringLiteral("\n");
inline const QString LineCRLF = QStringLiteral("\r\n");

} // namespace telvaro::link
