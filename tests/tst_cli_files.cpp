#include "cli/console.h"
#include "cli/live_lines.h"
#include "support/cli_process.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Files = QMap<QString, QByteArray>;

// Writes the files into the folder and gives the arguments with "@name" turned into their paths.
QStringList inFolder(const QTemporaryDir &dir, const Files &files, const QStringList &arguments)
{
    for (auto it = files.constBegin(); it != files.constEnd(); ++it)
        writeFile(dir.filePath(it.key()), it.value());
    QStringList resolved;
    for (const QString &argument : arguments)
        resolved.append(argument.startsWith(u'@') ? dir.filePath(argument.mid(1)) : argument);
    return resolved;
}

const QByteArray kGood = "model=GSN\r\nchannels=16\r\nmode0=001\r\nALARM0=-10.0\r\nALARM1=50.0\r\n"
                         "CAALARMADDRESS1=alarm@example.jp\r\nCADNS1=192.0.2.1\r\nCAPOPPASS=secret1\r\n";

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void helpAndVersion_andMistakesOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"telvaro-cli 3.0\n"_s << QString();
        QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"Commands:\n  ports "_s << QString();
        QTest::newRow("ports help") << QStringList{u"ports"_s, u"--help"_s} << 0
                                    << u"Usage: telvaro-cli ports [options] [DEVICE...]\n"_s << QString();
        QTest::newRow("check help") << QStringList{u"check"_s, u"-h"_s} << 0
                                    << u"Usage: telvaro-cli check [options] FILE\n"_s << QString();
        QTest::newRow("diff help") << QStringList{u"diff"_s, u"--help"_s} << 0
                                   << u"  --show-secrets"_s << QString();
        QTest::newRow("no command") << QStringList{} << 2 << QString() << u"Commands:"_s;
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << 2 << QString()
                                         << u"unknown command \"frobnicate\""_s;
        QTest::newRow("unknown option") << QStringList{u"check"_s, u"--bogus"_s, u"x"_s} << 2 << QString()
                                        << u"telvaro-cli check --help"_s;
        QTest::newRow("one file for diff") << QStringList{u"diff"_s, u"a"_s} << 2 << QString()
                                           << u"two settings files, or a port and a settings file, are needed"_s;
    }

    void helpAndVersion_andMistakesOnTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(run.out.isEmpty(), out.isEmpty());
    }

    void check_reportsFileErrorsAndValueFindings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // after "FILE: "

        QTest::newRow("good") << kGood << 0 << QStringList{};
        QTest::newRow("partial, no model") << QByteArray("CAAPN=fleet.apn\nCAAUTHTYPE=2\n") << 0 << QStringList{};
        QTest::newRow("errors of the file, by line")
            << QByteArray("model=GSN\n# comment\nALARM40=1\nCAAPN\nmodel=G8N\n") << 1
            << QStringList{u"line 3: unknown item \"ALARM40\""_s, u"line 4: no \"=\""_s,
                           u"line 5: item \"model\" is already given on line 1"_s};
        // GPN's first eight rows take no limits: ALARM0 is row 8's lower limit, ALARM16 no row's.
        QTest::newRow("limits on the rows of the model")
            << QByteArray("model=GPN\nALARM0=abc\nALARM3=5\nALARM2=9\nALARM16=xyz\n") << 1
            << QStringList{u"警報下限値 9 (ALARM0): \"abc\" is not a decimal number"_s,
                           u"警報下限値 10 (ALARM2): the lower limit 9 is above the upper limit 5"_s};
        QTest::newRow("limits on a model whose rows are CH1..")
            << QByteArray("model=QAN\nALARM2=x\n") << 1 << QStringList{u"警報下限値 CH2 (ALARM2): \"x\" is not a decimal number"_s};
        QTest::newRow("addresses and DNS")
            << QByteArray("CADATAADDRESS3=data.example.jp\nCADNS2=dns.example.jp\n") << 1
            << QStringList{u"データ送信先アドレス 3 (CADATAADDRESS3): \"data.example.jp\" is not a mail address"_s,
                           u"DNS2 (CADNS2): \"dns.example.jp\" is not an IPv4 address"_s};
        QTest::newRow("a value the logger cannot be sent")
            << QByteArray("CAPOPID=user\xF0\x9F\x98\x80\n") << 1
            << QStringList{u"POPID: a character cannot be sent to the logger"_s};
    }

    void check_reportsFileErrorsAndValueFindings()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const CliRun run = runCli(inFolder(dir, {{u"logger.txt"_s, file}}, {u"check"_s, u"@logger.txt"_s}));
        QCOMPARE(run.exitCode, exitCode);
        const QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(printed.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(printed.at(i).startsWith(dir.filePath(u"logger.txt"_s) + u": "_s + lines.at(i)), qPrintable(printed.at(i)));
    }

    void check_withoutModel_takesEveryRowToHaveLimits_andSaysSo()
    {
        QTemporaryDir dir;
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, "ALARM2=abc\n"}}, {u"check"_s, u"@a.txt"_s}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(u"警報下限値 2 (ALARM2)"_s), qPrintable(run.out));
        QVERIFY2(run.err.contains(u"note: no model is given"_s), qPrintable(run.err));
    }

    void unreadableFile_isTrouble_withTheReason()
    {
        const CliRun run = runCli({u"check"_s, u"/nonexistent/logger.txt"_s});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(u"/nonexistent/logger.txt: cannot be read: No such file"_s), qPrintable(run.err));
    }

    void diff_listsDifferingItems_withCaptionsAndQuotedValues()
    {
        QTemporaryDir dir;
        const QByteArray right = "model=GSN\r\nchannels=16\r\nmode0=001\r\nALARM0=-10.0\r\nALARM1= 50.0\r\n"
                                 "CAALARMADDRESS1=alarm@example.jp\r\nCADNS1=192.0.2.1\r\nCAPOPPASS=secret2\r\nCAAPN=\r\n";
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, kGood}, {u"b.txt"_s, right}}, {u"diff"_s, u"@a.txt"_s, u"@b.txt"_s}));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, u"< %1\n> %2\n"
                          "ALARM1 (警報上限値 1)\n  < \"50.0\"\n  > \" 50.0\"\n"
                          "CAPOPPASS (POPPASS)\n  < ********\n  > ********\n"
                          "CAAPN (APN)\n  < (not given)\n  > \"\"\n"_s.arg(dir.filePath(u"a.txt"_s), dir.filePath(u"b.txt"_s)));
        QVERIFY2(run.err.contains(u"3 item(s) differ"_s), qPrintable(run.err));

        const CliRun shown = runCli({u"diff"_s, u"--show-secrets"_s, dir.filePath(u"a.txt"_s), dir.filePath(u"b.txt"_s)});
        QVERIFY2(shown.out.contains(u"CAPOPPASS (POPPASS)\n  < \"secret1\"\n  > \"secret2\"\n"_s), qPrintable(shown.out));
    }

    // Rows and elements as the window shows them on the model of the first file.
    void diff_namesChannelRowsAndElementsAsTheScreen_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("rightElement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rows 1..16") << "model=GSN\n"_ba << "002"_ba
                                    << u"mode0 (要素名 1)\n  < \"温度 (001)\"\n  > \"湿度 (002)\"\n"
                                       "ALARM1 (警報上限値 1)\n  < \"5\"\n  > \"6\"\n"_s;
        QTest::newRow("rows CH1..") << "model=QAN\n"_ba << "127"_ba
                                    << u"mode0 (要素名 CH1)\n  < \"温度 (001)\"\n  > \"未使用 (127)\"\n"
                                       "ALARM1 (警報上限値 CH1)\n  < \"5\"\n  > \"6\"\n"_s;
        // GPN's first eight rows take no limits: ALARM1 is row 9's upper limit.
        QTest::newRow("limits past rows without") << "model=GPN\n"_ba << "011"_ba
                                                  << u"mode0 (要素名 1)\n  < \"001\"\n  > \"積算パルス (011)\"\n"
                                                     "ALARM1 (警報上限値 9)\n  < \"5\"\n  > \"6\"\n"_s;
        QTest::newRow("no model") << QByteArray() << "002"_ba
                                  << u"mode0 (要素名 1)\n  < \"001\"\n  > \"002\"\n"
                                     "ALARM1 (警報上限値 1)\n  < \"5\"\n  > \"6\"\n"_s;
    }

    void diff_namesChannelRowsAndElementsAsTheScreen()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, rightElement);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QByteArray left = model + "mode0=001\nALARM1=5\n";
        const QByteArray right = model + "mode0=" + rightElement + "\nALARM1=6\n";
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, left}, {u"b.txt"_s, right}}, {u"diff"_s, u"@a.txt"_s, u"@b.txt"_s}));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, u"< %1\n> %2\n"_s.arg(dir.filePath(u"a.txt"_s), dir.filePath(u"b.txt"_s)) + expected);
    }

    void diff_ofTheSameSettings_isSilentSuccess()
    {
        QTemporaryDir dir;
        QByteArray lines = "# the same, in another order, with LF\n";
        for (const QByteArray &line : kGood.split('\n'))
            lines.prepend(line.trimmed() + "\n");
        const QByteArray reordered = "\xEF\xBB\xBF" + lines;
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, kGood}, {u"b.txt"_s, reordered}}, {u"diff"_s, u"@a.txt"_s, u"@b.txt"_s}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString());
    }

    void diff_ofAFileWithErrors_isTrouble()
    {
        QTemporaryDir dir;
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, kGood}, {u"b.txt"_s, "mode0=1\nmode0=2\n"}}, {u"diff"_s, u"@a.txt"_s, u"@b.txt"_s}));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(u"b.txt: line 2: item \"mode0\" is already given on line 1"_s), qPrintable(run.err));
    }

    // Standard output that takes nothing: what was asked for did not arrive, and the command
    // says so rather than end in silence (or by the signal of a closed pipe).
    void standardOutputThatCannotBeWritten_isAFailure_data()
    {
        QTest::addColumn<bool>("closedPipe");
        QTest::addColumn<QString>("reason");
        QTest::newRow("closed pipe") << true << u"Broken pipe"_s;
        QTest::newRow("full disk") << false << u"No space left on device"_s;
    }

    void standardOutputThatCannotBeWritten_isAFailure()
    {
        QFETCH(bool, closedPipe);
        QFETCH(QString, reason);
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        environment.remove(u"LANGUAGE"_s);
        cli.setProcessEnvironment(environment);
        cli.setChildProcessModifier([closedPipe] {
            int ends[2] = {-1, -1};
            if (closedPipe && ::pipe(ends) == 0)
                ::close(ends[0]); // nobody reads
            else
                ends[1] = ::open("/dev/full", O_WRONLY);
            ::dup2(ends[1], STDOUT_FILENO);
        });
        cli.start(QStringLiteral(TELVARO_APP_DIR "/telvaro-cli"), {u"--help"_s});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardError()), u"telvaro-cli: standard output cannot be written: %1\n"_s.arg(reason));
    }

    // The live lines draw in place only where the terminal can; anywhere else a logger's line
    // is printed, plain, each time its status changes.
    void liveLines_drawInPlaceOnlyOnATerminalThatCan_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QByteArray>("term");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("pipe") << false << "xterm"_ba << false;
        QTest::newRow("TERM unset") << true << QByteArray() << false;
        QTest::newRow("TERM blank") << true << " "_ba << false;
        QTest::newRow("TERM dumb") << true << "dumb"_ba << false;
        QTest::newRow("xterm") << true << "xterm-256color"_ba << true;
    }

    void liveLines_drawInPlaceOnlyOnATerminalThatCan()
    {
        QFETCH(bool, terminal);
        QFETCH(QByteArray, term);
        QFETCH(bool, inPlace);
        QString out;
        QString err;
        Console console(&out, &err, {}, terminal, term);
        LiveLines lines(console, {u"COM1"_s, u"COM2"_s});
        lines.setStatus(0, u"接続中"_s);
        lines.setProgress(0, 1, 4);
        lines.setStatus(1, u"読込中"_s);
        lines.setStatus(0, u"読込中"_s);
        lines.finish(0, u"done"_s);
        QCOMPARE(lines.drawsInPlace(), inPlace);
        QCOMPARE(err.contains(u'\x1b'), inPlace);
        if (!inPlace)
            QCOMPARE(err, u"COM1: 接続中\nCOM2: 読込中\nCOM1: 読込中 1/4\nCOM1: done\n"_s);
        QCOMPARE(out, QString());
    }

    void japaneseLocale_givesJapaneseMessages_andTheSameCaptions()
    {
        QTemporaryDir dir;
        const CliRun run = runCli(inFolder(dir, {{u"a.txt"_s, "model=GSN\nALARM0=abc\nfoo=1\n"}}, {u"check"_s, u"@a.txt"_s}),
                                  {{u"LC_ALL"_s, u"ja_JP.UTF-8"_s}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(u"3行目: 不明な項目「foo」"_s), qPrintable(run.out));
        QVERIFY2(run.out.contains(u"警報下限値 1 (ALARM0): 「abc」は10進数ではありません"_s), qPrintable(run.out));
        QVERIFY2(run.err.contains(u"問題が2件見つかりました"_s), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
