#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::ports {
enum class DeviceKind;
} // namespace telvaro::ports

namespace telvaro::cli {

// A logger's port as given on the command line: "COM3" (in any case), which leads to a device
// as it does for the window, or the path of a device.
struct LoggerPort
{
    QString name;      // as reports show it: "COM3", or the path as given
    int comNumber = 0; // 1 for COM1; 0 for a device path
    QString device;    // the device it leads to now

    // The device, with every link followed where it exists: two ports with the same one are the
    // same logger.
    QString identity() const;
    // The port as messages name it: "COM3 (/dev/ttyUSB0)", or the path.
    QString label() const;
};

class LoggerPorts
{
    Q_DECLARE_TR_FUNCTIONS(LoggerPorts)

public:
    // The names the port dialog offers, COM1 to COM9, in any case; nothing for any other text.
    static std::optional<int> comNumberOf(const QString &name);
    // True for a text that can only mean a COM name ("COM12" included), not a path.
    static bool looksLikeComName(const QString &name);

    // Why the device at path can carry no logger's line (it is missing, a folder, a file, or a
    // device that is no terminal); empty when it can. Nothing is opened that could reach a
    // logger: a serial port's modem lines stay as they are.
    static QString deviceProblem(const QString &path);
    static QString problemOf(ports::DeviceKind kind);

    // Each given port, COM names mapped through portsFolder, every one leading to a terminal
    // device. Nothing, with the reason naming the port, for an empty name, a name that is
    // neither COM1..COM9 nor a path, a device that cannot be a logger's line, or two ports that
    // lead to the same device.
    static std::optional<QList<LoggerPort>> resolve(const QStringList &given, const QString &portsFolder,
                                                    QString *error);
};

} // namespace telvaro::cli
