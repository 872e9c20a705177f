#include "settings/settings_file.h"
#include "support/file_mode.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using Problem = SettingsFileError::Problem;

namespace {

// A distinct value for every item, some of them awkward: kanji, full-width, "=" inside, spaces.
DeviceSettings everyItem()
{
    DeviceSettings settings;
    for (int item = 0; item < SettingsItems::kCount; ++item)
        settings.set(item, u"v%1"_s.arg(item));
    settings.set(u"model", u"GSN"_s);
    settings.set(u"mode3", u"127"_s);
    settings.set(u"ALARM0", u"-10.5"_s);
    settings.set(u"ALARM1", u"１２．５"_s);
    settings.set(u"CAALARMADDRESS1", u"東京 支店@example.jp"_s);
    settings.set(u"CALOGINPASS", u"a=b==c"_s);
    settings.set(u"CAAPN", u"  spaced apn  "_s);
    settings.set(u"CATELNO", QString());
    return settings;
}

QByteArray withCrLf(const QByteArray &lfText)
{
    QByteArray bytes = lfText;
    return bytes.replace("\n", "\r\n");
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    // The item names are the read scripts' commands without "?", in the scripts' order.
    void catalogue_followsTheInstalledReadScripts()
    {
        QByteArray scripts;
        for (const QString &name : {u"select.eep"_s, u"select01.eep"_s, u"select02.eep"_s})
            scripts += installFile(name);
        QByteArray names;
        for (int item = 2; item < SettingsItems::kCount; ++item)
            names += SettingsItems::at(item).name.toLatin1() + "?\r\n";
        QCOMPARE(names, scripts);
        QCOMPARE(SettingsItems::at(SettingsItems::kModel).name, u"model"_s);
        QCOMPARE(SettingsItems::at(SettingsItems::kChannels).name, u"channels"_s);
    }

    void everyItem_survivesWriteAndRead()
    {
        const DeviceSettings settings = everyItem();
        const QByteArray bytes = settingsFileBytes(settings);
        const SettingsFileContents read = parseSettingsFile(bytes);
        QCOMPARE(read.errors, QList<SettingsFileError>());
        QVERIFY(read.settings == settings);
        QCOMPARE(settingsFileBytes(read.settings), bytes);
    }

    void writing_putsModelAndChannelsFirst_thenScriptOrder_inUtf8WithCrLf()
    {
        const DeviceSettings settings = settingsOf({{u"CAAUTHTYPE"_s, u"2"_s},
                                                    {u"ALARM10"_s, u"5"_s},
                                                    {u"mode2"_s, u"003"_s},
                                                    {u"CADATAADDRESS1"_s, u"東京@example.jp"_s},
                                                    {u"CAALARMADDRESS6"_s, u"x"_s},
                                                    {u"channels"_s, u"16"_s},
                                                    {u"model"_s, u"GSN"_s}});
        QCOMPARE(settingsFileBytes(settings),
                 "model=GSN\r\nchannels=16\r\nmode2=003\r\nALARM10=5\r\nCAALARMADDRESS6=x\r\n"
                 "CADATAADDRESS1=" + QByteArray::fromHex("e69db1e4baac") + "@example.jp\r\nCAAUTHTYPE=2\r\n");
    }

    void reading_acceptsEveryLayoutOfTheSameItems_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray lines = "# logger 12, second floor\n"
                                 "\n"
                                 "CAAPN=apn.example.jp\n"
                                 "   \n"
                                 "  # indented comment\n"
                                 "model=GSN\n"
                                 "CALOGINPASS=p=q\n"
                                 "ALARM3= １２ ";
        QTest::newRow("LF, no end on the last line") << lines;
        QTest::newRow("LF") << lines + "\n";
        QTest::newRow("CR LF") << withCrLf(lines + "\n");
        QTest::newRow("byte-order mark, CR LF") << "\xEF\xBB\xBF" + withCrLf(lines + "\n");
        QTest::newRow("byte-order mark, LF") << "\xEF\xBB\xBF" + lines;
    }

    void reading_acceptsEveryLayoutOfTheSameItems()
    {
        QFETCH(QByteArray, bytes);
        const SettingsFileContents read = parseSettingsFile(bytes);
        QCOMPARE(read.errors, QList<SettingsFileError>());
        QCOMPARE(read.settings.count(), 4);
        QCOMPARE(read.settings.value(u"CAAPN"), u"apn.example.jp"_s);
        QCOMPARE(read.settings.value(u"model"), u"GSN"_s);
        QCOMPARE(read.settings.value(u"CALOGINPASS"), u"p=q"_s);
        QCOMPARE(read.settings.value(u"ALARM3"), u" １２ "_s);
        QVERIFY(!read.settings.contains(*SettingsItems::indexOf(u"ALARM2")));
    }

    void partialFile_givesOnlyItsItems()
    {
        const SettingsFileContents read = parseSettingsFile("CAAPN=fleet.apn\r\nCAAUTHTYPE=\r\n");
        QCOMPARE(read.errors, QList<SettingsFileError>());
        QCOMPARE(read.settings.count(), 2);
        QCOMPARE(read.settings.value(u"CAAUTHTYPE"), QString(u""_s));
        QCOMPARE(settingsFileBytes(read.settings), QByteArray("CAAPN=fleet.apn\r\nCAAUTHTYPE=\r\n"));
    }

    void badLines_areErrorsNamingTheirLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SettingsFileError>("error");
        const QByteArray head = "model=GSN\r\n# comment\r\n\r\n"; // the bad line is line 4
        QTest::newRow("no equals sign") << head + "CAAPN apn\r\n" << SettingsFileError{4, Problem::NoEqualsSign, {}, 0};
        QTest::newRow("unknown item") << head + "mode16=127\r\n" << SettingsFileError{4, Problem::UnknownItem, u"mode16"_s, 0};
        QTest::newRow("item in another case") << head + "caapn=x\r\n" << SettingsFileError{4, Problem::UnknownItem, u"caapn"_s, 0};
        QTest::newRow("blank before the name") << head + " CAAPN=x\r\n" << SettingsFileError{4, Problem::UnknownItem, u" CAAPN"_s, 0};
        QTest::newRow("repeated item") << head + "model=G8N\r\n" << SettingsFileError{4, Problem::RepeatedItem, u"model"_s, 1};
        QTest::newRow("tab in a value") << head + "CAAPN=a\tb\r\n" << SettingsFileError{4, Problem::ControlCharacter, u"CAAPN"_s, 0};
        QTest::newRow("lone CR in a value") << head + "CAAPN=a\rb\r\n" << SettingsFileError{4, Problem::ControlCharacter, u"CAAPN"_s, 0};
        QTest::newRow("escape in a value") << head + "CAAPN=\x1b[2J\r\n" << SettingsFileError{4, Problem::ControlCharacter, u"CAAPN"_s, 0};
        QTest::newRow("not UTF-8 (code page 932)") << head + "CAAPN=" + QByteArray::fromHex("938c8b9e") + "\r\n"
                                                  << SettingsFileError{4, Problem::NotUtf8, {}, 0};
        QTest::newRow("character cut short at the line end") << head + "CAAPN=apn.example.jp\xE3\x81\r\n"
                                                            << SettingsFileError{4, Problem::NotUtf8, {}, 0};
    }

    void badLines_areErrorsNamingTheirLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(SettingsFileError, error);
        const SettingsFileContents read = parseSettingsFile(bytes + "CAAUTHTYPE=1\r\n");
        QCOMPARE(read.errors, QList<SettingsFileError>{error});
        QVERIFY2(describe(error).startsWith(u"line 4: "_s), qPrintable(describe(error)));
        // The good lines still count, so that a check can go on with them.
        QCOMPARE(read.settings.value(u"CAAUTHTYPE"), u"1"_s);
    }

    // The last line too: a value cut short is never taken shorter.
    void characterCutShortAtTheEndOfTheFile_isAnErrorOfItsLine()
    {
        const SettingsFileContents read = parseSettingsFile("model=GSN\r\nCAAPN=apn.example.jp\xE3\x81");
        QCOMPARE(read.errors, (QList<SettingsFileError>{{2, Problem::NotUtf8, {}, 0}}));
        QVERIFY(!read.settings.contains(*SettingsItems::indexOf(u"CAAPN")));
    }

    void everyBadLine_isReported()
    {
        const SettingsFileContents read = parseSettingsFile("nothing\nCAAPN=x\nCAAPN=y\nfoo=1\n");
        QCOMPARE(read.errors.size(), 3);
        QCOMPARE(read.errors.at(0).line, 1);
        QCOMPARE(read.errors.at(1).line, 3);
        QCOMPARE(read.errors.at(2).line, 4);
        QCOMPARE(read.settings.value(u"CAAPN"), u"x"_s);
    }

    void saving_writesANewFileOwnerOnly_andReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"logger 1.txt"_s);
        QString reason;
        QVERIFY2(saveSettingsFile(path, everyItem(), &reason), qPrintable(reason));
        QCOMPARE(modeOf(path), kOwnerOnly);

        SettingsFileContents read;
        QVERIFY2(readSettingsFile(path, &read, &reason), qPrintable(reason));
        QVERIFY(read.errors.isEmpty());
        QVERIFY(read.settings == everyItem());

        // Saved again over a file others could read, it holds the passwords for its owner alone.
        std::filesystem::permissions(path.toStdString(), kOwnerOnly | std::filesystem::perms::group_read
                                                             | std::filesystem::perms::others_read);
        QVERIFY2(saveSettingsFile(path, read.settings, &reason), qPrintable(reason));
        QCOMPARE(modeOf(path), kOwnerOnly);

        // Saved onto a link, the link is replaced and what it led to stays as it was.
        const QString elsewhere = dir.filePath(u"elsewhere.txt"_s);
        QVERIFY(QFile::rename(path, elsewhere) && QFile::link(elsewhere, path));
        QVERIFY2(saveSettingsFile(path, settingsOf({{u"CAAPN"_s, u"new"_s}}), &reason), qPrintable(reason));
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(modeOf(path), kOwnerOnly);
        QVERIFY(readSettingsFile(elsewhere, &read, &reason));
        QVERIFY(read.settings == everyItem());
    }

    void saving_refusesAValueTheFileCannotHold_andKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"logger.txt"_s);
        DeviceSettings settings = settingsOf({{u"CAAPN"_s, u"old"_s}});
        QString reason;
        QVERIFY(saveSettingsFile(path, settings, &reason));

        settings.set(u"CAPOPID", u"a\x01"_s);
        QVERIFY(!saveSettingsFile(path, settings, &reason));
        QVERIFY2(reason.contains(u"CAPOPID"_s), qPrintable(reason));
        SettingsFileContents read;
        QVERIFY(readSettingsFile(path, &read, &reason));
        QCOMPARE(read.settings.count(), 1);
    }

#ifdef Q_OS_UNIX
    void saving_ontoADevicePipeOrFolder_isRefused()
    {
        // Nothing is written into them, nor replaced: a pipe without a reader would hold the
        // window up, and a device or a folder is no settings file.
        QTemporaryDir dir;
        const QString pipe = dir.filePath(u"pipe"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const DeviceSettings settings = settingsOf({{u"CAAPN"_s, u"apn"_s}});
        for (const QString &path : {pipe, u"/dev/null"_s, dir.path()}) {
            QString reason;
            QVERIFY2(!saveSettingsFile(path, settings, &reason), qPrintable(path));
            QCOMPARE(reason, u"not a regular file"_s);
            QVERIFY(!QFileInfo(path).isFile());
        }
    }
#endif

    void unreadableFiles_giveTheReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("missing") << u"missing.txt"_s << u"No such file"_s;
        QTest::newRow("folder") << u"folder"_s << u"directory"_s;
        QTest::newRow("too large") << u"large.txt"_s << u"not a settings file"_s;
    }

    void unreadableFiles_giveTheReason()
    {
        QFETCH(QString, name);
        QFETCH(QString, reasonPart);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        QVERIFY(QFile(writeFile(dir.filePath(u"large.txt"_s), {})).resize(2 * 1024 * 1024));

        SettingsFileContents read;
        QString reason;
        QVERIFY(!readSettingsFile(dir.filePath(name), &read, &reason));
        QVERIFY2(reason.contains(reasonPart, Qt::CaseInsensitive), qPrintable(reason));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
