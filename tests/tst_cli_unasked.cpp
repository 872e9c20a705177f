#include "simulator/logger_settings.h"
#include "support/cli_session.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Case
{
    QStringList command; // before the port and the file: {"write"}, {"provision", "--port"}
    QByteArray file;     // empty: what telvaro-cli read from the logger just before
    bool force = false;
    bool noApn = false;
    QByteArray address; // the logger's CAALARMADDRESS2
    int exitCode = 0;
    QString saysOnError; // standard error holds it; empty: nothing about an unasked change
};

} // namespace

Q_DECLARE_METATYPE(Case)

// write and provision judge a file by the write plan: what the screen's rules would change
// although nobody asked stops them unless forced, and what the logger lacks is never written.
class TestCliUnasked : public QObject
{
    Q_OBJECT

private slots:
    void unaskedChanges_stopUnlessForced_data()
    {
        QTest::addColumn<Case>("c");
        const QByteArray apnOnly = "CAAPN=new.apn\n";
        const QString unasked = u"警報送信先アドレス 2 (CAALARMADDRESS2): the logger holds \"alarm.example.jp\"; the write "
                                "empties it, though nobody asked"_s;
        const QByteArray good = "alarm@example.jp";
        const QByteArray bad = "alarm.example.jp";
        QTest::newRow("write: a file just read") << Case{{u"write"_s, u"-q"_s}, {}, false, false, good, 0, {}};
        QTest::newRow("write: the screen's rule would empty an address")
            << Case{{u"write"_s, u"-q"_s}, apnOnly, false, false, bad, 1, unasked};
        QTest::newRow("write --force") << Case{{u"write"_s, u"-q"_s}, apnOnly, true, false, bad, 0, unasked};
        QTest::newRow("provision: the same") << Case{{u"provision"_s, u"--port"_s}, apnOnly, false, false, bad, 1, unasked};
        QTest::newRow("provision --force") << Case{{u"provision"_s, u"--port"_s}, apnOnly, true, false, bad, 0, unasked};
        QTest::newRow("write to a logger without APN: left out, verified")
            << Case{{u"write"_s, u"-q"_s}, "CAAPN=x\nCAAUTHTYPE=???\nCATELNO=0120\n", false, true, good, 0,
                    u"this logger has no CAAPN"_s};
    }

    void unaskedChanges_stopUnlessForced()
    {
        QFETCH(Case, c);
        QTemporaryDir folder;
        TempAppFolder installation{TempAppFolder::allInstallFiles()};
        SimulatedLoggerOptions options{.settingsFile = folder.filePath(u"logger.txt"_s), .noApn = c.noApn};
        {
            LoggerSettings held(options.settingsFile);
            QString error;
            held.setValue("CAALARMADDRESS2", c.address);
            QVERIFY2(held.save(&error), qPrintable(error));
        }
        SimulatedLoggerFixture logger(options.scaled(kTestTimeScale));
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        const SessionSetup setup = testSessionSetup(installation, logger.portsFolder());
        const QString path = folder.filePath(u"settings.txt"_s);
        if (c.file.isEmpty())
            QCOMPARE(runCommand({u"read"_s, u"-q"_s, u"-o"_s, path, u"COM1"_s}, setup).exitCode, 0);
        else
            writeFile(path, c.file);

        QStringList arguments = c.command + QStringList{u"COM1"_s, path};
        if (c.force)
            arguments.append(u"--force"_s);
        const CommandRun run = runCommand(arguments, setup);
        QVERIFY2(run.exitCode == c.exitCode, qPrintable(run.err + run.out));
        QCOMPARE(logger.heardAWrite(), c.exitCode == 0);
        if (c.saysOnError.isEmpty())
            QVERIFY2(!run.err.contains(u"nobody asked"_s), qPrintable(run.err));
        else
            QVERIFY2(run.err.contains(c.saysOnError), qPrintable(run.err));
        // What read back is compared with what went out, never with what the logger lacks.
        QVERIFY2(!run.out.contains(u"???"_s) && !run.err.contains(u"written \"???\""_s), qPrintable(run.out + run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliUnasked)
#include "tst_cli_unasked.moc"
