#include "support/widgets/logger_bench.h"

#include "files/env_file.h"
#include "settings/settings_file.h"
#include "support/exchange_timing.h"
#include "support/test_files.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

LoggerBench::LoggerBench(const SimulatedLoggerOptions &options, double timeScale)
    : m_logger(options.scaled(timeScale))
    , m_window(TempAppFolder::allInstallFiles(), m_logger.portsFolder())
{
    if (!m_logger.isValid() || !m_window.isValid() || !SaveEnv(PortChoice{0, 5}))
        return;
    m_window.session().setTimings(ExchangeTimings{}.scaled(timeScale));
    m_window.open();
    m_valid = true;
}

void LoggerBench::writeFile(const QString &name, const QByteArray &bytes) const
{
    ::writeFile(path(name), bytes);
}

QByteArray LoggerBench::readFile(const QString &name) const
{
    return ::readFile(path(name));
}

DeviceSettings LoggerBench::settingsIn(const QString &name) const
{
    const SettingsFileContents contents = parseSettingsFile(readFile(name));
    if (!contents.errors.isEmpty())
        QTest::qFail("the settings file has errors", __FILE__, __LINE__);
    return contents.settings;
}

void LoggerBench::choose(const char *menuItem)
{
    window().findChild<QAction *>(QString::fromLatin1(menuItem))->trigger();
}

bool LoggerBench::read()
{
    QTest::mouseClick(controls().Command1.at(0), Qt::LeftButton);
    return m_window.exchangeEnds() && controls().statusPanel->text() == QStringLiteral("読込完了");
}

bool LoggerBench::write()
{
    QTest::mouseClick(controls().Command1.at(1), Qt::LeftButton);
    return m_window.exchangeEnds() && controls().statusPanel->text() == QStringLiteral("書込完了");
}
