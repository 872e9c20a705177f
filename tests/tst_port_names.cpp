#include "base/run_time_error.h"
#include "link/port_names.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPortNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void defaultFolder_isUnderTheUsersConfiguration()
    {
        QCOMPARE(PortNames::defaultPortsFolder(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     + u"/telvaro/ports"_s);
    }

#ifdef Q_OS_WIN
    void portNumber_isComN()
    {
        QCOMPARE(PortNames::deviceFor(1, u"C:/nowhere"_s), u"COM1"_s);
        QCOMPARE(PortNames::deviceFor(12, u"C:/nowhere"_s), u"COM12"_s);
    }
#else
    void portNumber_leadsToItsMappingOrTheSerialDevice_data()
    {
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("mapping"); // what <folder>/com<n> is: "link", "dangling", "none"
        QTest::addColumn<QString>("device");  // "target", "entry", or a fixed path

        QTest::newRow("link present") << 3 << u"link"_s << u"target"_s;
        QTest::newRow("no link, port 1") << 1 << u"none"_s << u"/dev/ttyS0"_s;
        QTest::newRow("no link, port 16") << 16 << u"none"_s << u"/dev/ttyS15"_s;
        QTest::newRow("link to a vanished device") << 2 << u"dangling"_s << u"entry"_s;
    }

    void portNumber_leadsToItsMappingOrTheSerialDevice()
    {
        QFETCH(int, portNumber);
        QFETCH(QString, mapping);
        QFETCH(QString, device);

        QTemporaryDir ports;
        QTemporaryDir devices;
        const QString target = devices.filePath(u"ttyUSB0"_s);
        QFile targetFile(target);
        QVERIFY(targetFile.open(QIODevice::WriteOnly));
        const QString entry = ports.filePath(u"com%1"_s.arg(portNumber));
        if (mapping == u"link")
            QVERIFY(QFile::link(target, entry));
        if (mapping == u"dangling")
            QVERIFY(QFile::link(devices.filePath(u"ttyUSB9"_s), entry));
        // A mapping of another number must not be taken for this one.
        QVERIFY(QFile::link(target, ports.filePath(u"com%1"_s.arg(portNumber + 10))));

        const QString expected = device == u"target" ? QFileInfo(target).canonicalFilePath()
                                 : device == u"entry" ? entry
                                                      : device;
        QCOMPARE(PortNames::deviceFor(portNumber, ports.path()), expected);
    }

    void mappingNames_areLowerCase()
    {
        QTemporaryDir ports;
        QVERIFY(QFile::link(u"/dev/null"_s, ports.filePath(u"COM4"_s)));
        QCOMPARE(PortNames::deviceFor(4, ports.path()), u"/dev/ttyS3"_s);
    }

    void mapping_replacesAnOldLink_butNeverAFile()
    {
        QTemporaryDir ports;
        QString error;
        QVERIFY2(PortNames::mapPort(2, u"/dev/pts/old"_s, ports.path(), &error), qPrintable(error));
        QVERIFY2(PortNames::mapPort(2, u"/dev/pts/new"_s, ports.path(), &error), qPrintable(error));
        QCOMPARE(QFileInfo(PortNames::linkPath(2, ports.path())).symLinkTarget(), u"/dev/pts/new"_s);

        const QString plain = writeFile(PortNames::linkPath(3, ports.path()), {});
        QVERIFY(!PortNames::mapPort(3, u"/dev/pts/new"_s, ports.path(), &error));
        QVERIFY(!QFileInfo(plain).isSymLink());
    }
#endif

    void portNumberBelowOne_isAnOpeningError_data()
    {
        QTest::addColumn<int>("portNumber");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
    }

    void portNumberBelowOne_isAnOpeningError()
    {
        QFETCH(int, portNumber);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, PortNames::deviceFor(portNumber, QDir::tempPath()));
    }
};

QTEST_GUILESS_MAIN(TestPortNames)
#include "tst_port_names.moc"
