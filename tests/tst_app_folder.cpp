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

using namespace Qt::StringLiterals;

namespace {

// A file at path, its folders made first.
void placeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFile(path, "x");
}

constexpr auto kOwnerOnlyFolder = std::filesystem::perms::owner_all;

} // namespace

// Where the program finds its installation files and puts its script files and env.dat: beside
// itself in the build tree and a portable copy, in share/telvaro and the per-user data folder
// when installed.
class TestAppFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
