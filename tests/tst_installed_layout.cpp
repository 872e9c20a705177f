#include "support/exchange_timing.h"
#include "support/file_mode.h"
#include "support/process_lines.h"
#include "support/tool_window.h"
#include "support/virtual_display.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kScriptFiles = {u"Arm.eep"_s, u"ArmNet.eep"_s, u"mail.eep"_s, u"Mmail.eep"_s};

// Runs a program to its end; its standard output, and its exit code in *exitCode.
struct Finished
{
    int exitCode = -1;
    QString output;
    QString errors;
};

Finished runToEnd(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                  const QString &folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The environment of a program started from a terminal without any display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QStringList sourceFiles(const QString &folder, const QStringList &patterns)
{
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name);
}

// The value of a key of the desktop entry's main group.
QString desktopEntryValue(const QString &entry, const QString &key)
{
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(u"Desktop Entry"_s);
    return desktop.value(key).toString();
}

} // namespace

// The program as a Linux system has it after `cmake --install` (which the Debian package is
// made of): the GNU layout, the desktop files, and the installed tool run by an ordinary user
// from a folder it cannot write to, reading and writing a logger through its real window.
class TestInstalledLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_prefix;
    bool m_asAnotherUser = false;

    QString installed(const QString &relative) const { return QDir(m_prefix).filePath(relative); }

    // An ordinary user's programs: the tests run as root here, where no folder is unwritable, so
    // the tool runs as "nobody" then.
    QStringList command(const QString &program, const QStringList &arguments) const
    {
        if (!m_asAnotherUser)
            return QStringList{program} + arguments;
        return QStringList{u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s, program}
               + arguments;
    }

    void start(QProcess &process, const QString &program, const QStringList &arguments)
    {
        const QStringList line = command(program, arguments);
        process.start(line.first(), line.mid(1));
    }

    // A folder of its own for the ordinary user, or one it can only read and enter.
    QString makeFolder(const QString &name, bool writable)
    {
        const QString path = m_root.filePath(name);
        QDir().mkpath(path);
        if (m_asAnotherUser && writable)
            ::chown(QFile::encodeName(path).constData(), 65534, 65534);
        ::chmod(QFile::encodeName(path).constData(), writable ? 0700 : 0555);
        return path;
    }

    // The environment of the user's session: its own home, data and configuration folders.
    QProcessEnvironment session(const QString &home) const
    {
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(u"HOME"_s, home);
        environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        environment.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
        environment.insert(u"XDG_STATE_HOME"_s, home + u"/.local/state"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, home);
        return environment;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_asAnotherUser = ::geteuid() == 0;
        // Others may look in: the tool may run as another user.
        ::chmod(QFile::encodeName(m_root.path()).constData(), 0755);
        m_prefix = m_root.filePath(u"prefix"_s);
        const Finished install = runToEnd(QStringLiteral(TELVARO_CMAKE_COMMAND),
                                          {u"--install"_s, QStringLiteral(TELVARO_BUILD_DIR), u"--prefix"_s, m_prefix},
                                          QProcessEnvironment::systemEnvironment());
        QVERIFY2(install.exitCode == 0, qPrintable(install.errors));
    }

    void installation_followsTheGnuLayout()
    {
        QStringList expected = {u"bin/telvaro-cli"_s,
                                u"bin/telvaro-config"_s,
                                u"libexec/telvaro/telvaro-logger-sim"_s,
                                u"share/applications/org.telvaro.Config.desktop"_s,
                                u"share/doc/telvaro-config/changelog.Debian.gz"_s,
                                u"share/doc/telvaro-config/copyright"_s,
                                u"share/icons/hicolor/scalable/apps/org.telvaro.Config.svg"_s,
                                u"share/metainfo/org.telvaro.Config.metainfo.xml"_s};
        for (const QString &page : sourceFiles(QStringLiteral(TELVARO_PACKAGING_SOURCE_DIR "/man"), {u"*.1"_s}))
            expected.append(u"share/man/man1/"_s + page + u".gz"_s);
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            expected.append(u"share/icons/hicolor/%1x%1/apps/org.telvaro.Config.png"_s.arg(size));
        for (const QString &file : sourceFiles(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR), {u"*.ini"_s, u"*.eep"_s}))
            expected.append(u"share/telvaro/"_s + file);
        expected.sort();
        QCOMPARE(filesUnder(m_prefix), expected);
        // A man page for every program.
        for (const QString &program : {u"telvaro-config"_s, u"telvaro-cli"_s, u"telvaro-logger-sim"_s})
            QVERIFY2(expected.contains(u"share/man/man1/%1.1.gz"_s.arg(program)), qPrintable(program));
    }

    void desktopFilesAndManPages_passTheirCheckers()
    {
        const QString entry = installed(u"share/applications/org.telvaro.Config.desktop"_s);
        Finished check = runToEnd(u"desktop-file-validate"_s, {entry}, QProcessEnvironment::systemEnvironment());
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output + check.errors));

        check = runToEnd(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s, installed(u"share/metainfo/org.telvaro.Config.metainfo.xml"_s)},
                         QProcessEnvironment::systemEnvironment());
        QVERIFY2(check.exitCode == 0, qPrintable(check.output + check.errors));

        for (const QString &page : QDir(installed(u"share/man/man1"_s)).entryList(QDir::Files)) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
            check = runToEnd(u"man"_s, {u"--warnings"_s, u"-E"_s, u"UTF-8"_s, u"-l"_s, installed(u"share/man/man1/"_s + page)},
                             environment);
            QVERIFY2(check.exitCode == 0 && check.errors.isEmpty(), qPrintable(page + u": "_s + check.errors));
        }

        // Started from the menu, the tool keeps env.dat in the user's own folder.
        QCOMPARE(desktopEntryValue(entry, u"Exec"_s), u"telvaro-config --env-in-user-folder"_s);
        QCOMPARE(desktopEntryValue(entry, u"Icon"_s), u"org.telvaro.Config"_s);
        QVERIFY(!desktopEntryValue(entry, u"Name"_s).isEmpty());
        QVERIFY(!desktopEntryValue(entry, u"Name[ja]"_s).isEmpty());
    }

    void everyProgram_answersOnStandardOutputWithoutADisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answerStart");
        for (const QString &program : {u"bin/telvaro-config"_s, u"bin/telvaro-cli"_s, u"libexec/telvaro/telvaro-logger-sim"_s}) {
            const QString name = QFileInfo(program).fileName();
            QTest::addRow("%s --help", qPrintable(name)) << program << u"--help"_s << u"Usage: "_s;
            QTest::addRow("%s --version", qPrintable(name)) << program << u"--version"_s << name + u" 3.0\n"_s;
        }
    }

    void everyProgram_answersOnStandardOutputWithoutADisplay()
    {
        QFETCH(QString, program);
        QFETCH(QString, question);
        QFETCH(QString, answerStart);
        const Finished answer = runToEnd(installed(program), {question}, withoutDisplay());
        QCOMPARE(answer.exitCode, 0);
        QVERIFY2(answer.output.startsWith(answerStart), qPrintable(answer.output));
        QCOMPARE(answer.errors, QString());
    }

    void windowWithoutADisplay_saysSoInOneLine()
    {
        const Finished attempt = runToEnd(installed(u"bin/telvaro-config"_s), {}, withoutDisplay());
        QCOMPARE(attempt.exitCode, 1);
        QCOMPARE(attempt.output, QString());
        QCOMPARE(attempt.errors.count(u'\n'), 1);
        QVERIFY2(attempt.errors.contains(u"graphical display"_s) && attempt.errors.contains(u"telvaro-cli"_s),
                 qPrintable(attempt.errors));
    }

    // Where env.dat goes: the current folder from a terminal, the user's own folder from the
    // menu; there, the one an earlier version kept in the data folder is taken over.
    void envFile_followsHowTheToolWasStarted_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("keptBefore");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("notThere");
        const QString current = u"current/env.dat"_s;
        const QString userFolder = u"home/.local/state/telvaro/env.dat"_s;
        const QString former = u"home/.local/share/telvaro/env.dat"_s;
        QTest::newRow("from a terminal") << QStringList() << false << current << userFolder;
        QTest::newRow("from the menu") << QStringList{u"--env-in-user-folder"_s} << false << userFolder << current;
        QTest::newRow("from the menu, kept by an earlier version")
            << QStringList{u"--env-in-user-folder"_s} << true << userFolder << former;
    }

    void envFile_followsHowTheToolWasStarted()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, keptBefore);
        QFETCH(QString, where);
        QFETCH(QString, notThere);
        QTemporaryDir places;
        QDir(places.path()).mkpath(u"current"_s);
        QDir(places.path()).mkpath(u"home"_s);
        // COM3 at the sixth speed: not what a new env.dat holds.
        const QByteArray earlier = QByteArray::fromHex("02000500");
        if (keptBefore) {
            QDir(places.path()).mkpath(u"home/.local/share/telvaro"_s);
            QFile file(places.filePath(u"home/.local/share/telvaro/env.dat"_s));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        QProcessEnvironment environment = session(places.filePath(u"home"_s));
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

        // env.dat is read, and made, as the window opens.
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(places.filePath(u"current"_s));
        tool.start(installed(u"bin/telvaro-config"_s), arguments);
        QVERIFY(tool.waitForStarted());
        QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(places.filePath(where)) && !deadline.hasExpired())
            runEventLoopFor(20);
        tool.terminate();
        tool.waitForFinished();
        QVERIFY2(QFileInfo::exists(places.filePath(where)), qPrintable(where));
        QVERIFY(!QFileInfo::exists(places.filePath(notThere)));
        if (keptBefore) {
            QFile file(places.filePath(where));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), earlier);
        }
        if (where.startsWith(u"home/"_s))
            QCOMPARE(modeOf(QFileInfo(places.filePath(where)).path()), std::filesystem::perms::owner_all);
    }

    // The whole road through the installed window: a read and a write against the installed
    // simulated logger, started by an ordinary user in a folder it cannot write to.
    void installedTool_readsAndWrites_keepingItsScriptFilesInTheUsersFolder()
    {
        VirtualDisplay display;
        QVERIFY2(display.isValid(), qPrintable(display.errorString()));
        const QString home = makeFolder(u"user"_s, true);
        const QString current = makeFolder(u"unwritable"_s, false);
        QProcessEnvironment environment = session(home);

        QProcess simulator;
        simulator.setProcessEnvironment(environment);
        start(simulator, installed(u"libexec/telvaro/telvaro-logger-sim"_s), {u"--link-com"_s, u"1"_s, u"--verbose"_s});
        QVERIFY(simulator.waitForReadyRead(10000));
        const auto stopSimulator = qScopeGuard([&] {
            simulator.terminate();
            simulator.waitForFinished();
        });
        ProcessErrorLines heard(simulator);

        environment.insert(u"DISPLAY"_s, display.name());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(current);
        start(tool, installed(u"bin/telvaro-config"_s), {});
        const auto stopTool = qScopeGuard([&] {
            tool.kill();
            tool.waitForFinished();
        });
        ToolWindow window(display, 20000);
        QVERIFY2(window.isValid(), qPrintable(QString::fromLocal8Bit(tool.readAllStandardError())));

        // The desktop groups the window with its menu entry by the class of WM_CLASS, and shows
        // the icon the window carries.
        const QString wmClass = display.property(window.id(), u"WM_CLASS"_s);
        const QString entryClass = desktopEntryValue(installed(u"share/applications/org.telvaro.Config.desktop"_s),
                                                     u"StartupWMClass"_s);
        QVERIFY(!entryClass.isEmpty());
        QVERIFY2(wmClass.endsWith(u", \"%1\""_s.arg(entryClass)), qPrintable(wmClass));
        const QString icon = display.property(window.id(), u"_NET_WM_ICON"_s);
        for (const int size : {16, 24, 32, 48, 64, 128})
            QVERIFY2(icon.contains(u"Icon (%1 x %1)"_s.arg(size)), qPrintable(u"no %1 x %1"_s.arg(size)));

        window.clickRead();
        QVERIFY2(heard.waitFor(u"received \"CAOFF\""_s, 20000), qPrintable(heard.lines().join(u'\n')));
        QVERIFY(heard.waitFor(u"Released"_s, 5000));

        window.clickWrite();
        QVERIFY2(heard.waitFor(u"received \"CAAUTHTYPE="_s, 20000), qPrintable(heard.lines().join(u'\n')));
        QVERIFY(heard.waitFor(u"Released"_s, 5000));
        // The success message box takes the focus; Enter closes it.
        QDeadlineTimer deadline(10000);
        while (QStringList{window.id(), QString()}.contains(display.focusedWindow()) && !deadline.hasExpired())
            runEventLoopFor(50);
        QVERIFY(!deadline.hasExpired());
        display.pressKey(u"Return"_s);
        window.clickExit();
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 0);

        // The script files went into the user's own folder, for the user alone, and they are
        // what the logger received; nothing was written beside the program or where it started.
        const QString scripts = home + u"/.local/state/telvaro"_s;
        QCOMPARE(modeOf(scripts), std::filesystem::perms::owner_all);
        for (const QString &name : kScriptFiles) {
            const QString path = scripts + u'/' + name;
            QCOMPARE(modeOf(path), kOwnerOnly);
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QList<QByteArray> lines = file.readAll().split('\n');
            const QByteArray last = lines.value(lines.size() - 2).trimmed();
            if (!last.isEmpty())
                QVERIFY2(heard.lines().contains(u"telvaro.sim: received \"%1\""_s.arg(QString::fromLatin1(last))),
                         qPrintable(name + u": "_s + QString::fromLatin1(last)));
        }
        QCOMPARE(filesUnder(installed(u"bin"_s)), (QStringList{u"telvaro-cli"_s, u"telvaro-config"_s}));
        QCOMPARE(filesUnder(current), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestInstalledLayout)
#include "tst_installed_layout.moc"
