#pragma once

#include <QString>

// Maps port number n of the tool to a device by the symbolic link <portsFolder>/com<n>.
// An earlier link there is replaced; anything else there is left alone and reported.
bool mapComPort(const QString &portsFolder, int number, const QString &device, QString *error);

QString comPortLinkPath(const QString &portsFolder, int number);
