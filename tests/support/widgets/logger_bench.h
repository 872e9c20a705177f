#pragma once

#include "settings/device_settings.h"
#include "support/exchange_timing.h"
#include "support/simulated_logger_fixture.h"
#include "support/telvaro_names.h"
#include "support/widgets/window_fixture.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The program as an operator has it: the window on the real serial port, a simulated logger on
// COM1 at 9600 bit/s, and a folder for the operator's files. The logger keeps its settings in
// memory (a file of its own would put the disk's delays into every acknowledgement), and both run
// at the pace of the window tests; a test where nothing answers may take the exchange tests' pace.
class LoggerBench
{
public:
    explicit LoggerBench(const SimulatedLoggerOptions &options = {}, double timeScale = kWindowTestTimeScale);

    bool isValid() const { return m_valid; }
    SimulatedLogger &logger() { return m_logger.logger(); }
    WindowFixture<> &fixture() { return m_window; }
    FrmMain &window() { return m_window.window(); }
    const ScreenControls &controls() { return m_window.controls(); }

    // A file in the operator's folder.
    QString path(const QString &name) const { return m_files.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // The items of a settings file in the operator's folder.
    DeviceSettings settingsIn(const QString &name) const;

    // Triggers the menu item of that object name.
    void choose(const char *menuItem);
    // A click on the read or the write button; true when the exchange ended successfully.
    bool read();
    bool write();

private:
    QTemporaryDir m_files;
    SimulatedLoggerFixture m_logger;
    WindowFixture<> m_window;
    bool m_valid = false;
};
