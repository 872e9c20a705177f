#include "link/port_names.h"
#include "support/cli_session.h"
#include "support/pty_peer.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "file:NAME" in a command line: a file of the test's folder.
const QMap<QString, QByteArray> kFiles = {
    {u"good.txt"_s, "model=GSN\nCAPOPID=logger01\n"},
    {u"other.txt"_s, "CAPOPID=unit7\nCAPOPPASS=secret\n"},
    {u"template.txt"_s, "model=GSN\n"},
    {u"wrong.txt"_s, "model=GSN\nCAFROMADDRESS=no-at-sign\n"},
    {u"units.csv"_s, "port,CAPOPID\nCOM1,unit1\nCOM2,unit2\n"},
    {u"one-failed.json"_s, R"({"loggers": [{"port": "COM1", "verification": "verified"},
                                           {"port": "COM2", "verification": "not reached"}]})"},
    {u"none-failed.json"_s, R"({"loggers": [{"port": "COM1", "verification": "verified"}]})"},
};

// The value at path ("items/CAPOPID", "problems/0/line", "problems/#" for a list's length) as
// text: a string as it is, null, true and false as written, a number in digits.
QString valueAt(const QJsonValue &root, const QString &path)
{
    QJsonValue value = root;
    for (const QString &key : path.split(u'/')) {
        if (key == u"#")
            return QString::number(value.toArray().size());
        bool isIndex = false;
        const int index = key.toInt(&isIndex);
        value = isIndex ? value.toArray().at(index) : value.toObject().value(key);
    }
    if (value.isNull())
        return u"null"_s;
    if (value.isBool())
        return value.toBool() ? u"true"_s : u"false"_s;
    if (value.isDouble())
        return QString::number(value.toDouble());
    if (value.isUndefined())
        return u"(absent)"_s;
    return value.toString();
}

} // namespace

// What scripts use: "-" for standard input and output, --json of read, check and diff, a
// provision that only plans, and one that runs again the loggers a report names as failed.
// Against two simulated loggers (COM1, COM2) and a line that never answers (COM3).
class TestCliScripts : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    QTemporaryDir m_ports;
    QTemporaryDir m_files;
    std::unique_ptr<SimulatedLoggerFixture> m_loggers[2];
    std::unique_ptr<PtyPeer> m_silent;

private slots:
    void initTestCase()
    {
        for (auto file = kFiles.begin(); file != kFiles.end(); ++file)
            writeFile(m_files.filePath(file.key()), file.value());
    }

    void init()
    {
        QString error;
        for (int number = 1; number <= 2; ++number) {
            auto &logger = m_loggers[number - 1];
            logger = std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kTestTimeScale));
            QVERIFY2(logger->isValid(), qPrintable(logger->errorString()));
            QVERIFY2(PortNames::mapPort(number, logger->devicePath(), m_ports.path(), &error), qPrintable(error));
        }
        m_silent = std::make_unique<PtyPeer>();
        QVERIFY(m_silent->isValid() && m_silent->mapAsPort(m_ports.path(), 3));
    }

    void scriptFacingOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input"); // standard input
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("json");  // "path=value" of the object on standard output; none: no JSON
        QTest::addColumn<QString>("out");       // what standard output holds, where it is no JSON
        QTest::addColumn<QString>("err");       // what standard error holds
        QTest::addColumn<QStringList>("written"); // the loggers sent a write line

        const QStringList none;
        QTest::newRow("check - --json") << QStringList{u"check"_s, u"--json"_s, u"-"_s}
                                        << QByteArray("model=GSN\nCAFROMADDRESS=no-at-sign\nbogus=1\n") << 1
                                        << QStringList{u"file=-"_s, u"ok=false"_s, u"problems/#=2"_s,
                                                       u"problems/0/line=3"_s, u"problems/0/item=bogus"_s,
                                                       u"problems/1/line=2"_s, u"problems/1/item=CAFROMADDRESS"_s}
                                        << QString() << u"-: 2 problem(s) found"_s << none;
        QTest::newRow("check --json, no problem") << QStringList{u"check"_s, u"--json"_s, u"file:good.txt"_s} << QByteArray() << 0
                                                  << QStringList{u"ok=true"_s, u"problems/#=0"_s} << QString() << QString() << none;
        QTest::newRow("read --json") << QStringList{u"read"_s, u"--json"_s, u"--quiet"_s, u"COM1"_s} << QByteArray() << 0
                                     << QStringList{u"port=COM1"_s, u"model=GSN"_s, u"items/CAPOPID=logger01"_s,
                                                    u"items/CAPOPPASS=********"_s}
                                     << QString() << QString() << none;
        QTest::newRow("read --json --show-secrets") << QStringList{u"read"_s, u"--json"_s, u"--show-secrets"_s, u"-q"_s, u"COM1"_s}
                                                    << QByteArray() << 0 << QStringList{u"items/CAPOPPASS=poppass01"_s}
                                                    << QString() << QString() << none;
        QTest::newRow("read -o -") << QStringList{u"read"_s, u"-q"_s, u"-o"_s, u"-"_s, u"COM1"_s} << QByteArray() << 0 << none
                                   << u"CAPOPPASS=poppass01\r\n"_s << QString() << none;
        QTest::newRow("diff --json, left from standard input")
            << QStringList{u"diff"_s, u"--json"_s, u"-"_s, u"file:other.txt"_s} << QByteArray("CAPOPID=unit1\nCAPOPPASS=x\n") << 1
            << QStringList{u"left=-"_s, u"differences/#=2"_s, u"differences/0/item=CAPOPID"_s, u"differences/0/left=unit1"_s,
                           u"differences/0/right=unit7"_s, u"differences/1/left=********"_s, u"differences/1/right=********"_s}
            << QString() << u"2 item(s) differ"_s << none;
        QTest::newRow("diff --json, logger and the same values")
            << QStringList{u"diff"_s, u"--json"_s, u"-q"_s, u"COM1"_s, u"file:good.txt"_s} << QByteArray() << 0
            << QStringList{u"left=COM1"_s, u"differences/#=0"_s} << QString() << QString() << none;
        QTest::newRow("diff of a logger that does not answer")
            << QStringList{u"diff"_s, u"--json"_s, u"-q"_s, u"COM3"_s, u"file:good.txt"_s} << QByteArray() << 3
            << QStringList{u"differences=null"_s, u"right=%1"_s.arg(u"file:good.txt"_s)} << QString()
            << u"COM3: the read failed: "_s << none;
        QTest::newRow("two standard inputs") << QStringList{u"diff"_s, u"-"_s, u"-"_s} << QByteArray("CAPOPID=a\n") << 2 << none
                                             << QString() << u"standard input (\"-\") can be read only once"_s << none;
        QTest::newRow("write -") << QStringList{u"write"_s, u"-q"_s, u"COM2"_s, u"-"_s} << QByteArray("CAPOPID=piped\n") << 0 << none
                                 << u"CAPOPID (POPID): \"logger01\" -> \"piped\""_s << QString() << QStringList{u"COM2"_s};
        QTest::newRow("provision --dry-run, --units -")
            << QStringList{u"provision"_s, u"--dry-run"_s, u"file:template.txt"_s, u"--units"_s, u"-"_s}
            << QByteArray("port,CAPOPID\nCOM1,unit1\nCOM2,logger01\n") << 0 << none
            << u"COM1: a write would change 1 item(s)\n  CAPOPID: \"logger01\" -> \"unit1\"\nCOM2: a write would change 0 item(s)\n"_s
            << u"COM1: read; a write would change 1 item(s)"_s << none;
        QTest::newRow("provision --dry-run, refused and silent")
            << QStringList{u"provision"_s, u"--dry-run"_s, u"file:wrong.txt"_s, u"--port"_s, u"COM1"_s, u"--port"_s, u"COM3"_s}
            << QByteArray() << 1 << none << u"a write would send nothing (--force writes all the same)"_s
            << u"COM3: failed: the read failed"_s << none;
        QTest::newRow("provision --report -")
            << QStringList{u"provision"_s, u"file:template.txt"_s, u"--units"_s, u"file:units.csv"_s, u"--report"_s, u"-"_s}
            << QByteArray() << 0
            << QStringList{u"succeeded=true"_s, u"loggers/#=2"_s, u"loggers/1/after/CAPOPID=unit2"_s}
            << QString() << u"PORT  MODEL  CHANGED"_s << QStringList{u"COM1"_s, u"COM2"_s};
        QTest::newRow("provision --only-failed")
            << QStringList{u"provision"_s, u"file:template.txt"_s, u"--units"_s, u"file:units.csv"_s, u"--only-failed"_s,
                           u"file:one-failed.json"_s}
            << QByteArray() << 0 << none << u"COM2  GSN          1  yes"_s
            << u"COM1: left out: the report records it as written and verified"_s << QStringList{u"COM2"_s};
        QTest::newRow("provision --only-failed, from the report's ports")
            << QStringList{u"provision"_s, u"file:template.txt"_s, u"--only-failed"_s, u"-"_s}
            << kFiles.value(u"one-failed.json"_s) << 0 << none << u"COM2  GSN          0  yes"_s << QString()
            << QStringList{u"COM2"_s};
        QTest::newRow("provision --only-failed, none failed")
            << QStringList{u"provision"_s, u"file:template.txt"_s, u"--units"_s, u"file:units.csv"_s, u"--only-failed"_s,
                           u"file:none-failed.json"_s}
            << QByteArray() << 0 << none << QString() << u"none to run again"_s << none;
        QTest::newRow("provision --only-failed, no report")
            << QStringList{u"provision"_s, u"file:template.txt"_s, u"--only-failed"_s, u"file:good.txt"_s}
            << QByteArray() << 2 << none << QString() << u"good.txt: cannot be read: not JSON"_s << none;
    }

    void scriptFacingOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QStringList, json);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QStringList, written);

        for (QString &argument : arguments) {
            if (argument.startsWith(u"file:"))
                argument = m_files.filePath(argument.mid(5));
        }
        CommandRun run;
        Console console(&run.out, &run.err, input);
        run.exitCode = CommandLine::run(QStringList{u"telvaro-cli"_s} + arguments, console,
                                        testSessionSetup(m_folder, m_ports.path()));

        QVERIFY2(run.exitCode == exitCode, qPrintable(u"%1\n%2\n%3"_s.arg(run.exitCode).arg(run.out, run.err)));
        if (!json.isEmpty()) {
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
            QVERIFY2(error.error == QJsonParseError::NoError && document.isObject(), qPrintable(run.out));
            for (const QString &check : json) {
                const QString path = check.section(u'=', 0, 0);
                QString expected = check.section(u'=', 1);
                if (expected.startsWith(u"file:"))
                    expected = m_files.filePath(expected.mid(5));
                QCOMPARE(valueAt(document.object(), path), expected);
            }
        }
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        for (int number = 1; number <= 2; ++number) {
            const QString port = u"COM%1"_s.arg(number);
            QVERIFY2(m_loggers[number - 1]->heardAWrite() == written.contains(port), qPrintable(port));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliScripts)
#include "tst_cli_scripts.moc"
