#include "files/alarm_scripts.h"
#include "files/answer_bytes.h"
#include "files/mail_scripts.h"
#include "files/script_file.h"
#include "settings/settings_items.h"
#include "state/settings_state.h"
#include "support/file_mode.h"
#include "support/script_samples.h"
#include "support/temp_app_folder.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>


#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {

#if defined(Q_OS_UNIX)
// Caps the size of any file this process writes, so that writing a longer file fails
// half-way, as it would on a full disk. Permission bits cannot do this for a privileged user.
class FileSizeCap
{
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit cap = m_saved;
        cap.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeCap(const FileSizeCap &) = delete;
    FileSizeCap &operator=(const FileSizeCap &) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};
#endif

// True when files can still be created in the folder (a privileged user ignores its mode).
bool acceptsNewFiles(const QString &folder)
{
    QFile probe(QDir(folder).filePath(u"probe"_s));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

#if defined(Q_OS_UNIX)
// What someone may have put in the place of a script file; `elsewhere` holds what it points to.
enum class Stranger { LinkToFile, LinkToMissingFile, LinkToFolder, LinkToLink, NamedPipe };

bool placeStranger(Stranger kind, const QString &path, const QString &elsewhere)
{
    const auto link = [&](const QString &target) {
        return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
    };
    switch (kind) {
    case Stranger::LinkToFile:
        return link(elsewhere + u"/target.txt"_s);
    case Stranger::LinkToMissingFile:
        return link(elsewhere + u"/missing.txt"_s);
    case Stranger::LinkToFolder:
        return link(elsewhere);
    case Stranger::LinkToLink:
        return link(elsewhere + u"/link.txt"_s);
    case Stranger::NamedPipe:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    }
    return false;
}
#endif

} // namespace

#if defined(Q_OS_UNIX)
Q_DECLARE_METATYPE(Stranger)
#endif

namespace {

enum class Builder { Alarm, Mail };

// Builds the script files of one builder with sample inputs; true when both were written.
bool build(Builder builder, const AppFolder &folder)
{
    return builder == Builder::Alarm ? BuildAlarmScript(folder, sampleAlarmRows(), DeviceImageBytes{})
                                     : BuildMailScript(folder, sampleMailSettings(), DeviceImageBytes{});
}

// A file that could not be written is logged, not passed over in silence.
void expectCannotWriteWarning()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot write "_s));
}

} // namespace

Q_DECLARE_METATYPE(Builder)

class TestScriptFile : public QObject
{
    Q_OBJECT

private slots:
    // Each builder writes its two files readable by their owner only ("Mmail.eep" holds both
    // passwords), and fails whichever of them cannot be written.
    void builders_writeTheirFilesOwnerOnly_andFailWhicheverCannotBeWritten_data()
    {
        QTest::addColumn<Builder>("builder");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("blocked");
        const QStringList alarm{u"Arm.eep"_s, u"ArmNet.eep"_s};
        const QStringList mail{u"mail.eep"_s, u"Mmail.eep"_s};
        QTest::newRow("alarm") << Builder::Alarm << alarm << QString();
        QTest::newRow("alarm, Arm.eep blocked") << Builder::Alarm << alarm << u"Arm.eep"_s;
        QTest::newRow("alarm, ArmNet.eep blocked") << Builder::Alarm << alarm << u"ArmNet.eep"_s;
        QTest::newRow("mail") << Builder::Mail << mail << QString();
        QTest::newRow("mail, mail.eep blocked") << Builder::Mail << mail << u"mail.eep"_s;
        QTest::newRow("mail, Mmail.eep blocked") << Builder::Mail << mail << u"Mmail.eep"_s;
    }

    void builders_writeTheirFilesOwnerOnly_andFailWhicheverCannotBeWritten()
    {
        QFETCH(Builder, builder);
        QFETCH(QStringList, files);
        QFETCH(QString, blocked);
        TempAppFolder folder;
        if (!blocked.isEmpty()) {
            QVERIFY(QDir(folder.appFolder().path()).mkdir(blocked));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^cannot write .*"_s + blocked));
            QVERIFY(!build(builder, folder.appFolder()));
            return;
        }
        QVERIFY(build(builder, folder.appFolder()));
#if defined(Q_OS_UNIX)
        for (const QString &name : files)
            QCOMPARE(modeOf(folder.filePath(name)), kOwnerOnly);
#endif
    }

    void lines_areEncodedInCodePage932_eachEndingInCrLf()
    {
        const QList<ScriptLine> lines = {{u"mode0="_s, u"127"_s, {}},
                                         {u"ALARM0="_s, u"温度"_s, {}},
                                         {u"CADATAADDRESS1="_s, u"ﾃｽﾄ"_s, {}},
                                         {u"CAAUTHTYPE="_s, QString(), {}}};
        QCOMPARE(scriptFileBytes(lines),
                 QByteArray("mode0=127\r\nALARM0=") + QByteArray::fromHex("89b79378")
                     + QByteArray("\r\nCADATAADDRESS1=") + QByteArray::fromHex("c3bdc4")
                     + QByteArray("\r\nCAAUTHTYPE=\r\n"));
    }

    void noLines_giveNoBytes()
    {
        QCOMPARE(scriptFileBytes({}), QByteArray());
    }

    // Code page 932 gives some characters two codes; encoding picks one. A value goes out in its
    // item's answer bytes only when they are that very value.
    void answerBytes_goOutOnlyWhenTheyAreTheValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("answerBytes");
        QTest::addColumn<QByteArray>("sent");
        const QByteArray necRow13 = QByteArray::fromHex("8790");   // U+2252, the code page's own 81 E0
        const QByteArray necSelected = QByteArray::fromHex("EEEF"); // U+2170, the code page's own FA 40
        QTest::newRow("NEC row 13, left alone") << u"a≒b"_s << "a" + necRow13 + "b" << "a" + necRow13 + "b";
        QTest::newRow("NEC-selected IBM row, left alone")
            << u"ⅰ@example.jp"_s << necSelected + "@example.jp" << necSelected + "@example.jp";
        QTest::newRow("changed") << u"a≒c"_s << "a" + necRow13 + "b" << QByteArray::fromHex("6181E063");
        QTest::newRow("emptied") << QString() << necRow13 << QByteArray();
        QTest::newRow("no answer kept") << u"ⅰ"_s << QByteArray() << QByteArray::fromHex("FA40");
        QTest::newRow("narrowed from full width") << u"AB"_s << QByteArray::fromHex("82608261") << QByteArray("AB");
    }

    void answerBytes_goOutOnlyWhenTheyAreTheValue()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, answerBytes);
        QFETCH(QByteArray, sent);
        QCOMPARE(scriptFileBytes({{u"CALOGINID="_s, value, {}, {}, answerBytes}, {u"CATELNO="_s, u"≒"_s, {}}}),
                 "CALOGINID=" + sent + "\r\nCATELNO=" + QByteArray::fromHex("81E0") + "\r\n");
    }

    // A line takes the bytes its own item's answer came in: numbered items by their number, the
    // limits of "ArmNet.eep" those of the ALARM item of the same number, a single item whose name
    // ends in a digit whole. The settings catalogue names the entry each item's answer lands in.
    void answerBytes_areThoseOfTheLinesOwnItem_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("item"); // empty: the key names no item
        QTest::newRow("mode") << u"mode3="_s << u"mode3"_s;
        QTest::newRow("last limit") << u"ALARM31="_s << u"ALARM31"_s;
        QTest::newRow("limit of ArmNet.eep") << u"CAEEWF5,"_s << u"ALARM5"_s;
        QTest::newRow("alarm address") << u"CAALARMADDRESS1="_s << u"CAALARMADDRESS1"_s;
        QTest::newRow("data address") << u"CADATAADDRESS6="_s << u"CADATAADDRESS6"_s;
        QTest::newRow("connection item") << u"CALOGINID="_s << u"CALOGINID"_s;
        QTest::newRow("single item ending in a digit") << u"CADNS2="_s << u"CADNS2"_s;
        QTest::newRow("number past the row") << u"mode16="_s << QString();
        QTest::newRow("number before the row") << u"CADATAADDRESS0="_s << QString();
        QTest::newRow("number with a leading zero") << u"mode03="_s << QString();
        QTest::newRow("single item numbered") << u"CADNS3="_s << QString();
        QTest::newRow("no separator") << u"CALOGINID"_s << QString();
    }

    void answerBytes_areThoseOfTheLinesOwnItem()
    {
        QFETCH(QString, key);
        QFETCH(QString, item);
        // Every entry of the image holds bytes of its own.
        DeviceImageBytes image;
        const auto entryName = [](ItemBlock block, int position) {
            return QByteArray::number(int(block)) + ':' + QByteArray::number(position);
        };
        for (int position = 1; position <= decltype(image.EepChannel)::kLast; ++position)
            image.EepChannel.at(position) = entryName(ItemBlock::Channel, position);
        for (int position = 1; position <= decltype(image.EepMail)::kLast; ++position) {
            image.EepMail.at(position) = entryName(ItemBlock::Mail, position);
            image.EepConnect.at(position) = entryName(ItemBlock::Connection, position);
        }

        const QList<ScriptLine> lines = withAnswerBytes({{key, u"value"_s, {}}}, image);

        QByteArray expected;
        if (!item.isEmpty()) {
            const SettingsItem &setting = SettingsItems::at(SettingsItems::indexOf(item).value());
            expected = entryName(setting.block, setting.entry);
        }
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().answerBytes, expected);
    }

    void firstUnsendableCaption_namesTheFirstValueOutsideTheCodePage()
    {
        const QList<ScriptLine> lines = {{u"A="_s, u"温度→①"_s, u"first"_s},
                                         {u"B="_s, u"10€"_s, u"second"_s},
                                         {u"C="_s, u"\U0001F600"_s, u"third"_s}};
        QCOMPARE(firstUnsendableCaption(lines), std::optional<QString>(u"second"_s));
        QCOMPARE(firstUnsendableCaption(lines.first(1)), std::nullopt);
    }

    void newFile_holdsTheBytes_readableAndWritableByItsOwnerOnly()
    {
        TempAppFolder folder;
        const QByteArray bytes("CALOGINPASS=secret\r\n");
        QVERIFY(writeScriptFile(folder.appFolder(), u"Mmail.eep"_s, bytes));
        QCOMPARE(folder.readFile(u"Mmail.eep"_s), bytes);
#if defined(Q_OS_UNIX)
        QCOMPARE(modeOf(folder.filePath(u"Mmail.eep"_s)), kOwnerOnly);
#endif
    }

    void earlierReadableCopy_isReplacedWhole_andBecomesOwnerOnly()
    {
        TempAppFolder folder;
        folder.writeFile(u"Arm.eep"_s, QByteArray("mode0=127\r\nALARM0=1\r\nALARM1=2\r\n"));
        QFile::setPermissions(folder.filePath(u"Arm.eep"_s),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                  | QFileDevice::ReadOther);
        QVERIFY(writeScriptFile(folder.appFolder(), u"Arm.eep"_s, QByteArray("mode0=1\r\n")));
        QCOMPARE(folder.readFile(u"Arm.eep"_s), QByteArray("mode0=1\r\n"));
#if defined(Q_OS_UNIX)
        QCOMPARE(modeOf(folder.filePath(u"Arm.eep"_s)), kOwnerOnly);
#endif
    }

    void emptyContent_givesAnEmptyFile()
    {
        TempAppFolder folder;
        folder.writeFile(u"ArmNet.eep"_s, QByteArray("CAEEWF0,1\r\n"));
        QVERIFY(writeScriptFile(folder.appFolder(), u"ArmNet.eep"_s, QByteArray()));
        QVERIFY(QFileInfo::exists(folder.filePath(u"ArmNet.eep"_s)));
        QCOMPARE(folder.readFile(u"ArmNet.eep"_s), QByteArray());
    }

    void missingFolder_reportsFailure()
    {
        TempAppFolder folder;
        const AppFolder missing(folder.filePath(u"gone"_s));
        expectCannotWriteWarning();
        QVERIFY(!writeScriptFile(missing, u"mail.eep"_s, QByteArray("CADATAADDRESS1=\r\n")));
        QVERIFY(!QFileInfo::exists(missing.file(u"mail.eep"_s)));
    }

    void directoryInThePlaceOfTheFile_reportsFailure()
    {
        TempAppFolder folder;
        QVERIFY(QDir(folder.appFolder().path()).mkdir(u"mail.eep"_s));
        expectCannotWriteWarning();
        QVERIFY(!writeScriptFile(folder.appFolder(), u"mail.eep"_s, QByteArray("CADATAADDRESS1=\r\n")));
        QVERIFY(QFileInfo(folder.filePath(u"mail.eep"_s)).isDir());
    }

    void readOnlyFolder_reportsFailure_andKeepsTheEarlierCopy()
    {
        TempAppFolder folder;
        QVERIFY(QDir(folder.appFolder().path()).mkdir(u"app"_s));
        const AppFolder app(folder.filePath(u"app"_s));
        const QByteArray stale("mode0=stale\r\n");
        writeFile(app.file(u"Arm.eep"_s), stale);
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        const auto writable = readOnly | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(folder.filePath(u"app"_s), readOnly));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder.filePath(u"app"_s), writable); });

        QString blocked = u"Arm.eep"_s;
        if (acceptsNewFiles(folder.filePath(u"app"_s))) {
            // Privileged: the mode does not stop the write, so a directory takes the name.
            blocked = u"ArmNet.eep"_s;
            QVERIFY(QDir(folder.filePath(u"app"_s)).mkdir(blocked));
        }
        expectCannotWriteWarning();
        QVERIFY(!writeScriptFile(app, blocked, QByteArray("mode0=127\r\n")));
        QCOMPARE(readFile(app.file(u"Arm.eep"_s)), stale);
    }

#if defined(Q_OS_UNIX)
    void strangerInThePlaceOfAScriptFile_isReplacedNeverFollowed_data()
    {
        QTest::addColumn<Stranger>("kind");
        QTest::newRow("link to a file") << Stranger::LinkToFile;
        QTest::newRow("link to a missing file") << Stranger::LinkToMissingFile;
        QTest::newRow("link to a folder") << Stranger::LinkToFolder;
        QTest::newRow("link to a link to a file") << Stranger::LinkToLink;
        QTest::newRow("named pipe") << Stranger::NamedPipe;
    }

    void strangerInThePlaceOfAScriptFile_isReplacedNeverFollowed()
    {
        QFETCH(Stranger, kind);
        TempAppFolder folder;
        QTemporaryDir elsewhere;
        const QByteArray precious("someone else's file\n");
        const QString target = writeFile(elsewhere.filePath(u"target.txt"_s), precious);
        QVERIFY(QFile::link(target, elsewhere.filePath(u"link.txt"_s)));
        const auto targetMode = modeOf(target);

        const AlarmScriptInputs alarm = sampleAlarmRows();
        const MailScriptInputs mail = sampleMailSettings();
        const QList<std::pair<QString, QByteArray>> scripts = {{u"Arm.eep"_s, armScriptBytes(alarm)},
                                                               {u"ArmNet.eep"_s, armNetScriptBytes(alarm)},
                                                               {u"mail.eep"_s, mailScriptBytes(mail)},
                                                               {u"Mmail.eep"_s, connectionScriptBytes(mail)}};
        for (const auto &[name, bytes] : scripts)
            QVERIFY(placeStranger(kind, folder.filePath(name), elsewhere.path()));

        QVERIFY(BuildAlarmScript(folder.appFolder(), alarm, DeviceImageBytes{}));
        QVERIFY(BuildMailScript(folder.appFolder(), mail, DeviceImageBytes{}));

        for (const auto &[name, bytes] : scripts) {
            const QFileInfo written(folder.filePath(name));
            QVERIFY2(!written.isSymLink() && written.isFile(), qPrintable(name));
            QCOMPARE(folder.readFile(name), bytes);
            QCOMPARE(modeOf(folder.filePath(name)), kOwnerOnly);
        }
        QCOMPARE(readFile(target), precious);
        QCOMPARE(modeOf(target), targetMode);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{u"link.txt"_s, u"target.txt"_s}));
    }

    void writeFailingHalfWay_reportsFailure_andKeepsTheEarlierCopyWhole()
    {
        TempAppFolder folder;
        const QByteArray earlier("CALOGINID=old\r\n");
        folder.writeFile(u"Mmail.eep"_s, earlier);
        const QByteArray longer(4096, 'x');
        expectCannotWriteWarning();
        bool written = true;
        {
            FileSizeCap cap(earlier.size() + 1);
            written = writeScriptFile(folder.appFolder(), u"Mmail.eep"_s, longer);
        }
        QVERIFY(!written);
        QCOMPARE(folder.readFile(u"Mmail.eep"_s), earlier);
        QCOMPARE(QDir(folder.appFolder().path()).entryList(QDir::Files), QStringList{u"Mmail.eep"_s});
    }
#endif
};

QTEST_GUILESS_MAIN(TestScriptFile)
#include "tst_script_file.moc"
