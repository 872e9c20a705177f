#include "files/app_folder.h"
#include "files/env_file.h"
#include "files/user_data_folder.h"
#include "state/settings_state.h"
#include "support/current_folder.h"
#include "support/file_mode.h"
#include "support/script_samples.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A file at path, its folders made first.
void placeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, "x");
}

constexpr auto kOwnerOnlyFolder = std::filesystem::perms::owner_all;

// Files by name and content, as a folder holds them: "name=content", or "name->target" for a
// symbolic link.
using Files = QStringList;

void placeFiles(const QString &folder, const Files &files)
{
    QDir().mkpath(folder);
    for (const QString &file : files) {
        if (file.contains(u"->"_s)) {
            const QStringList link = file.split(u"->"_s);
            QVERIFY(QFile::link(link[1], QDir(folder).filePath(link[0])));
        } else {
            const QStringList named = file.split(u'=');
            writeFile(QDir(folder).filePath(named[0]), named[1].toUtf8());
        }
    }
}

Files filesIn(const QString &folder)
{
    Files files;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
        if (entry.isSymLink())
            files.append(entry.fileName() + u"->"_s + entry.symLinkTarget());
        else
            files.append(entry.fileName() + u'=' + QString::fromUtf8(readFile(entry.filePath())));
    }
    return files;
}

dev_t deviceOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_dev : 0;
}

} // namespace

// Where the program finds its installation files and puts its script files and env.dat: beside
// itself in the build tree and a portable copy, in share/telvaro and the per-user data folder
// when installed.
class TestAppFolder : public QObject
{
    Q_OBJECT

private:
    // The test's own home: nothing here touches the user's folders.
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_STATE_HOME");
        qunsetenv("XDG_DATA_HOME");
        QStandardPaths::setTestModeEnabled(true);
    }

    void oneFolder_holdsEverything()
    {
        const AppFolder folder(u"/opt/telvaro"_s);
        QCOMPARE(folder.path(), u"/opt/telvaro/"_s);
        QCOMPARE(folder.file(u"auth.ini"_s), u"/opt/telvaro/auth.ini"_s);
        QCOMPARE(folder.scriptFile(u"Mmail.eep"_s), u"/opt/telvaro/Mmail.eep"_s);
    }

    void installationFile_isTakenFromBesideTheProgramFirst_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("found");
        QTest::newRow("beside the program") << true << false << u"bin"_s;
        QTest::newRow("beside the program and installed") << true << true << u"bin"_s;
        QTest::newRow("installed only") << false << true << u"share/telvaro"_s;
        QTest::newRow("nowhere: named beside the program") << false << false << u"bin"_s;
    }

    void installationFile_isTakenFromBesideTheProgramFirst()
    {
        QFETCH(bool, beside);
        QFETCH(bool, installed);
        QFETCH(QString, found);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        if (beside)
            placeFile(root.filePath(u"bin/Telvaro-G-N.ini"_s));
        if (installed)
            placeFile(root.filePath(u"share/telvaro/Telvaro-G-N.ini"_s));
        const AppFolder folder(root.filePath(u"bin"_s), root.filePath(u"share/telvaro"_s), root.filePath(u"data"_s));
        QCOMPARE(folder.file(u"Telvaro-G-N.ini"_s), root.filePath(found + u"/Telvaro-G-N.ini"_s));
    }

    // An installed copy writes its script files into the per-user data folder, which a write makes,
    // for its owner alone, parents included.
    void scriptFilesOfAnInstalledCopy_goIntoAnOwnerOnlyFolderMadeOnDemand()
    {
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        const QString userFolder = root.filePath(u"home/.local/share/telvaro"_s);
        const AppFolder folder(root.filePath(u"bin"_s), root.filePath(u"share/telvaro"_s), userFolder);
        QCOMPARE(folder.scriptFile(u"Arm.eep"_s), userFolder + u"/Arm.eep"_s);

        QVERIFY(BuildAlarmScript(folder, sampleAlarmRows(), DeviceImageBytes{}));
        QCOMPARE(modeOf(userFolder), kOwnerOnlyFolder);
        QCOMPARE(modeOf(userFolder + u"/Arm.eep"_s), kOwnerOnly);
        QVERIFY(QFileInfo::exists(userFolder + u"/ArmNet.eep"_s));
        QVERIFY(!QFileInfo::exists(root.filePath(u"bin"_s)));
    }

    // A folder the user made earlier keeps the mode the user gave it.
    void existingUserFolder_isLeftAsItIs()
    {
        const QString folder = UserDataFolder::path();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                  | QFileDevice::ReadGroup | QFileDevice::ExeGroup));
        QVERIFY(UserDataFolder::make());
        QCOMPARE(modeOf(folder), kOwnerOnlyFolder | std::filesystem::perms::group_read | std::filesystem::perms::group_exec);
        QVERIFY(QDir(folder).removeRecursively());
    }

    void perUserFolder_isTheStateFolder_data()
    {
        QTest::addColumn<QByteArray>("stateHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("XDG_STATE_HOME unset") << QByteArray() << u"~/.local/state/telvaro"_s;
        QTest::newRow("XDG_STATE_HOME set") << QByteArray("/srv/state/") << u"/srv/state/telvaro"_s;
        QTest::newRow("a relative XDG_STATE_HOME counts as unset") << QByteArray("state") << u"~/.local/state/telvaro"_s;
    }

    void perUserFolder_isTheStateFolder()
    {
#if !defined(Q_OS_UNIX) || defined(Q_OS_DARWIN)
        QSKIP("the per-user folder moved on Linux only");
#endif
        QFETCH(QByteArray, stateHome);
        QFETCH(QString, folder);
        const auto restore = qScopeGuard([] { qunsetenv("XDG_STATE_HOME"); });
        if (!stateHome.isNull())
            qputenv("XDG_STATE_HOME", stateHome);
        QCOMPARE(UserDataFolder::path(), folder.replace(u"~"_s, m_home.path()));
    }

    // The user's files that earlier versions kept among the installation files of ~/.local: each
    // one moved once into the new folder, nothing lost, nothing of the installation's taken.
    void takeOver_movesTheUsersFilesOnce_data()
    {
        QTest::addColumn<Files>("former");
        QTest::addColumn<Files>("present");
        QTest::addColumn<Files>("formerAfter");
        QTest::addColumn<Files>("presentAfter");
        QTest::addColumn<bool>("acrossFileSystems");
        const Files all = {u"Arm.eep=a"_s, u"ArmNet.eep=n"_s, u"Mmail.eep=M"_s, u"env.dat=e"_s, u"mail.eep=m"_s};
        QTest::newRow("nothing kept before") << Files() << Files() << Files() << Files() << false;
        QTest::newRow("all of them") << all << Files() << Files() << all << false;
        QTest::newRow("all of them, across file systems") << all << Files() << Files() << all << true;
        QTest::newRow("an installation into ~/.local keeps its own files")
            << Files{u"Telvaro-G-N.ini=g"_s, u"auth.ini=i"_s, u"env.dat=e"_s, u"select.eep=s"_s, u"simulated-logger.txt=t"_s}
            << Files() << Files{u"Telvaro-G-N.ini=g"_s, u"auth.ini=i"_s, u"select.eep=s"_s, u"simulated-logger.txt=t"_s}
            << Files{u"env.dat=e"_s} << false;
        QTest::newRow("a file already in the new folder wins")
            << Files{u"Arm.eep=old"_s, u"env.dat=old"_s} << Files{u"env.dat=new"_s}
            << Files{u"env.dat=old"_s} << Files{u"Arm.eep=old"_s, u"env.dat=new"_s} << false;
        QTest::newRow("a symbolic link stays")
            << Files{u"Mmail.eep->/etc/hostname"_s} << Files() << Files{u"Mmail.eep->/etc/hostname"_s} << Files() << false;
    }

    void takeOver_movesTheUsersFilesOnce()
    {
        QFETCH(Files, former);
        QFETCH(Files, present);
        QFETCH(Files, formerAfter);
        QFETCH(Files, presentAfter);
        QFETCH(bool, acrossFileSystems);
        QTemporaryDir here;
        QTemporaryDir elsewhere(u"/dev/shm/tst_app_folder-XXXXXX"_s);
        if (acrossFileSystems && (!elsewhere.isValid() || deviceOf(elsewhere.path()) == deviceOf(here.path())))
            QSKIP("no second file system at /dev/shm");
        const QString from = (acrossFileSystems ? elsewhere : here).filePath(u"share/telvaro"_s);
        const QString to = here.filePath(u"state/telvaro"_s);
        if (!former.isEmpty())
            placeFiles(from, former);
        placeFiles(to, present);

        UserDataFolder::takeOver(from, to);
        QCOMPARE(filesIn(to), presentAfter);
        QCOMPARE(filesIn(from), formerAfter);
        // The folder the files were moved out of goes with them when nothing else is left there.
        QCOMPARE(QFileInfo::exists(from), !formerAfter.isEmpty());
        QCOMPARE(UserDataFolder::takeOver(from, to), QStringList());
        QCOMPARE(filesIn(to), presentAfter);
    }

    // Made for the first time, the per-user folder takes the files of the former one; a folder
    // of a provision's own takes nothing.
    void makingThePerUserFolder_takesOverFromTheFormerOne()
    {
#if !defined(Q_OS_UNIX) || defined(Q_OS_DARWIN)
        QSKIP("the per-user folder moved on Linux only");
#endif
        QStandardPaths::setTestModeEnabled(false);
        const auto restore = qScopeGuard([] {
            qunsetenv("XDG_DATA_HOME");
            QStandardPaths::setTestModeEnabled(true);
        });
        QTemporaryDir xdg;
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdg.filePath(u"data"_s)));
        QCOMPARE(UserDataFolder::formerPath(), xdg.filePath(u"data/telvaro"_s));
        placeFiles(UserDataFolder::formerPath(), {u"auth.ini=i"_s, u"env.dat=e"_s});

        QVERIFY(UserDataFolder::make(xdg.filePath(u"provision"_s)));
        QCOMPARE(filesIn(xdg.filePath(u"provision"_s)), Files());
        QVERIFY(UserDataFolder::make());
        const auto removeFolder = qScopeGuard([] { QDir(UserDataFolder::path()).removeRecursively(); });
        QCOMPARE(modeOf(UserDataFolder::path()), kOwnerOnlyFolder);
        QCOMPARE(filesIn(UserDataFolder::path()), Files{u"env.dat=e"_s});
        QCOMPARE(filesIn(UserDataFolder::formerPath()), Files{u"auth.ini=i"_s});
    }

    void envFile_liesInTheCurrentFolder_orWhereTheProgramKeepsIt()
    {
        const ScopedCurrentFolder current;
        QVERIFY(current.isValid());
        QTemporaryDir kept;
        QCOMPARE(envFilePath(), u"env.dat"_s);
        LoadEnv();
        QVERIFY(QFileInfo::exists(current.filePath(u"env.dat"_s)));

        keepEnvFileIn(kept.path());
        const auto restore = qScopeGuard([] { keepEnvFileIn(QString()); });
        QVERIFY(SaveEnv(PortChoice{2, 5}));
        QCOMPARE(LoadEnv(), (PortChoice{2, 5}));
        QCOMPARE(readFile(kept.filePath(u"env.dat"_s)), QByteArray::fromHex("02000500"));
        QCOMPARE(QFileInfo(current.filePath(u"env.dat"_s)).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAppFolder)
#include "tst_app_folder.moc"
