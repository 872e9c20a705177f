#include "support/process_lines.h"
#include "support/tool_window.h"
#include "support/virtual_display.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString appProgram(const QString &name)
{
    return QStringLiteral(TELVARO_APP_DIR "/") + name;
}

} // namespace

// Another X11 program may destroy the tool's window instead of closing it. An exchange running
// then finishes and releases the port, and the program ends rather than run on with no window.
class TestWindowDestroyed : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VirtualDisplay> m_display;

private slots:
    void initTestCase()
    {
        m_display = std::make_unique<VirtualDisplay>();
        QVERIFY2(m_display->isValid(), qPrintable(m_display->errorString()));
    }

    void cleanupTestCase() { m_display.reset(); }

    void destroyedWindow_endsTheProgramOnceTheExchangeHasEnded_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("lastLine");   // what the logger receives last: the exchange went on
        QTest::addColumn<QString>("untold");     // the message no window was left to show
        QTest::newRow("no exchange") << QString() << QString() << QString();
        QTest::newRow("a read") << u"read"_s << u"received \"CAOFF\""_s << QString();
        QTest::newRow("a write") << u"write"_s << u"received \"CAAUTHTYPE="_s << u"設定の書き込みに成功しました。"_s;
    }

    void destroyedWindow_endsTheProgramOnceTheExchangeHasEnded()
    {
        QFETCH(QString, during);
        QFETCH(QString, lastLine);
        QFETCH(QString, untold);

        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        // The window's record of exchanges too, never the user's.
        environment.insert(u"XDG_STATE_HOME"_s, home.filePath(u"state"_s));

        QProcess simulator;
        simulator.setProcessEnvironment(environment);
        simulator.start(appProgram(u"telvaro-logger-sim"_s), {u"--link-com"_s, u"1"_s, u"--verbose"_s});
        QVERIFY(simulator.waitForReadyRead(10000));
        const auto stopSimulator = qScopeGuard([&] {
            simulator.terminate();
            simulator.waitForFinished();
        });
        ProcessErrorLines heard(simulator);

        environment.insert(u"DISPLAY"_s, m_display->name());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(home.path());
        tool.start(appProgram(u"telvaro-config"_s), {});
        const auto stopTool = qScopeGuard([&] {
            tool.kill();
            tool.waitForFinished();
        });
        ToolWindow window(*m_display, 20000);
        QVERIFY(window.isValid());

        if (!during.isEmpty()) {
            window.clickRead();
            if (during == u"write") {
                QVERIFY(heard.waitFor(u"received \"CAOFF\""_s, 20000));
                QVERIFY(heard.waitFor(u"Released"_s, 5000));
                window.clickWrite();
            }
            QVERIFY(heard.waitFor(u"received \"CAON\""_s, 20000));
        }
        window.destroy();

        QVERIFY2(tool.waitForFinished(20000), "the program runs on with no window");
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        if (!during.isEmpty()) {
            QVERIFY2(heard.waitFor(lastLine, 5000), qPrintable(heard.lines().join(u'\n')));
            // The port was released: the logger saw the line go.
            QVERIFY(heard.waitFor(u"Released"_s, 5000));
        }
        const QString said = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(said.contains(u"the window was destroyed from outside"_s), qPrintable(said));
        if (!untold.isEmpty())
            QVERIFY2(said.contains(untold), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestWindowDestroyed)
#include "tst_window_destroyed.moc"
