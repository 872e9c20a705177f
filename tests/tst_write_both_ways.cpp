#include "simulator/logger_settings.h"
#include "support/cli_session.h"
#include "support/test_files.h"
#include "support/widgets/logger_bench.h"
#include "support/widgets/scripted_operator.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Held = QList<std::pair<QByteArray, QByteArray>>;

// A logger of the default model holding these values over its defaults, kept in its own file.
SimulatedLoggerOptions loggerHolding(const QTemporaryDir &folder, const QString &name, const Held &held)
{
    SimulatedLoggerOptions options{.settingsFile = folder.filePath(name)};
    LoggerSettings stored(options.settingsFile);
    QString error;
    if (!stored.load(&error))
        qFatal("%s", qPrintable(error));
    for (const auto &[key, value] : held)
        stored.setValue(key, value);
    if (!stored.save(&error))
        qFatal("%s", qPrintable(error));
    return options;
}

// Every logger item given empty: a template nobody filled in.
QByteArray blankTemplate()
{
    QByteArray file = "model=GSN\r\n";
    for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item)
        file += SettingsItems::at(item).name.toUtf8() + "=\r\n";
    return file;
}

} // namespace

// The window and telvaro-cli write the same file to the same logger: the same lines go out, and
// both stop to ask first when the write would change what nobody asked for.
class TestWriteBothWays : public QObject
{
    Q_OBJECT

private slots:
    void sameFile_sameWireBytes_data()
    {
        QTest::addColumn<Held>("held");
        QTest::addColumn<QByteArray>("file"); // empty: the file telvaro-cli read from the logger
        QTest::addColumn<bool>("asked");

        QTest::newRow("a file just read from the logger") << Held{{"CAALARMADDRESS2", "alarm@example.jp"}} << QByteArray() << false;
        QTest::newRow("\"???\" items, an address without \"@\" in the logger")
            << Held{{"CAALARMADDRESS2", "alarm.example.jp"}}
            << QByteArray("CAAPN=???\r\nCAPOPID=???\r\nmode1=???\r\nCATELNO=0120\r\n") << true;
        QTest::newRow("a blank template") << Held{} << blankTemplate() << true;
    }

    void sameFile_sameWireBytes()
    {
        QFETCH(Held, held);
        QFETCH(QByteArray, file);
        QFETCH(bool, asked);
        QTemporaryDir folder;
        TempAppFolder installation{TempAppFolder::allInstallFiles()};

        // telvaro-cli: once without --force, which stops before anything is written when asked.
        // At the window's pace, as the other side: only an answer that never came would wait it out.
        SimulatedLoggerFixture cliLogger(loggerHolding(folder, u"cli-logger.txt"_s, held).scaled(kWindowTestTimeScale));
        QVERIFY2(cliLogger.isValid(), qPrintable(cliLogger.errorString()));
        SessionSetup setup = testSessionSetup(installation, cliLogger.portsFolder());
        setup.timings = ExchangeTimings{}.scaled(kWindowTestTimeScale);
        const QString path = folder.filePath(u"settings.txt"_s);
        if (file.isEmpty()) {
            const CommandRun read = runCommand({u"read"_s, u"-q"_s, u"COM1"_s, u"-o"_s, path}, setup);
            QCOMPARE(read.exitCode, 0);
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            file = saved.readAll();
        } else {
            writeFile(path, file);
        }
        const CommandRun unforced = runCommand({u"write"_s, u"-q"_s, u"--no-verify"_s, u"COM1"_s, path}, setup);
        QCOMPARE(unforced.exitCode, asked ? 1 : 0);
        QCOMPARE(cliLogger.heardAWrite(), !asked);
        if (asked) {
            const CommandRun forced = runCommand({u"write"_s, u"-q"_s, u"--no-verify"_s, u"--force"_s, u"COM1"_s, path}, setup);
            QVERIFY2(forced.exitCode == 0, qPrintable(forced.err));
        }

        // The window: a read, the file opened, a write; the question answered "はい".
        LoggerBench bench(loggerHolding(folder, u"window-logger.txt"_s, held));
        QVERIFY(bench.isValid());
        bench.writeFile(u"settings.txt"_s, file);
        ScriptedOperator operatorAtTheScreen({bench.path(u"settings.txt"_s)}, true);
        QVERIFY(bench.read());
        bench.choose("mnu_FileOpen");
        QVERIFY(bench.write());
        const QList<ScriptedOperator::SeenBox> &boxes = operatorAtTheScreen.boxes();
        QCOMPARE(boxes.size(), asked ? 2 : 1);
        if (asked) {
            QVERIFY(boxes.first().question && boxes.first().noIsDefault);
            QVERIFY2(unforced.err.contains(boxes.first().details.section(u'\n', 0, 0).section(u": "_s, 1)),
                     qPrintable(unforced.err + u" / "_s + boxes.first().details));
        }

        // A read and a write each: the same lines, byte for byte.
        const QList<QByteArray> &window = bench.logger().receivedLines();
        const QList<QByteArray> &cli = cliLogger.logger().receivedLines();
        QVERIFY(window.size() > 100);
        QCOMPARE(cli.mid(cli.size() - window.size()), window);
    }
};

QTEST_MAIN(TestWriteBothWays)
#include "tst_write_both_ways.moc"
