#include "files/env_file.h"
#include "support/current_folder.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestEnvFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path() const { return m_dir.filePath(QStringLiteral("env.dat")); }

private slots:
    void cleanup()
    {
        QFile::remove(path());
        QDir(path()).removeRecursively();
    }

    void record_holdsTwoLittleEndianSignedIndexes_data()
    {
        QTest::addColumn<qint16>("port");
        QTest::addColumn<qint16>("baud");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("COM1, 300bps") << qint16(0) << qint16(0) << QByteArray::fromHex("00000000");
        QTest::newRow("COM3, 9600bps") << qint16(2) << qint16(5) << QByteArray::fromHex("02000500");
        QTest::newRow("COM9, 115200bps") << qint16(8) << qint16(9) << QByteArray::fromHex("08000900");
        QTest::newRow("nothing selected") << qint16(-1) << qint16(-1) << QByteArray::fromHex("ffffffff");
        QTest::newRow("both bytes used") << qint16(0x1234) << qint16(-2) << QByteArray::fromHex("3412feff");
    }

    void record_holdsTwoLittleEndianSignedIndexes()
    {
        QFETCH(qint16, port);
        QFETCH(qint16, baud);
        QFETCH(QByteArray, record);
        QCOMPARE(recordFromPortChoice(PortChoice{port, baud}), record);
        QCOMPARE(portChoiceFromRecord(record), (PortChoice{port, baud}));
    }

    void shortOrLongRecord_missingBytesAreZeroAndExtraBytesIgnored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint16>("port");
        QTest::addColumn<qint16>("baud");
        QTest::newRow("empty") << QByteArray() << qint16(0) << qint16(0);
        QTest::newRow("one byte") << QByteArray::fromHex("03") << qint16(3) << qint16(0);
        QTest::newRow("one byte, high bit") << QByteArray::fromHex("ff") << qint16(255) << qint16(0);
        QTest::newRow("three bytes") << QByteArray::fromHex("030005") << qint16(3) << qint16(5);
        QTest::newRow("five bytes") << QByteArray::fromHex("0100020099") << qint16(1) << qint16(2);
    }

    void shortOrLongRecord_missingBytesAreZeroAndExtraBytesIgnored()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint16, port);
        QFETCH(qint16, baud);
        QCOMPARE(portChoiceFromRecord(bytes), (PortChoice{port, baud}));
    }

    void missingFile_isCreatedEmpty_andGivesCom1And300()
    {
        QCOMPARE(LoadEnv(path()), PortChoice{});
        QVERIFY(QFile::exists(path()));
        QCOMPARE(QFileInfo(path()).size(), 0);
    }

    void storedRecord_isLoaded()
    {
        writeFile(path(), QByteArray::fromHex("0400ffff"));
        QCOMPARE(LoadEnv(path()), (PortChoice{4, -1}));
        QCOMPARE(readFile(path()), QByteArray::fromHex("0400ffff")); // reading changes nothing
    }

    void save_writesRecordOne_andTheNextLoadReadsIt()
    {
        writeFile(path(), QByteArray::fromHex("07000100"));
        QVERIFY(SaveEnv(PortChoice{2, 5}, path()));
        QCOMPARE(readFile(path()), QByteArray::fromHex("02000500"));
        QCOMPARE(LoadEnv(path()), (PortChoice{2, 5}));
    }

    void defaultPath_isEnvDatInTheCurrentFolder()
    {
        const ScopedCurrentFolder current;
        QVERIFY(current.isValid());
        QCOMPARE(LoadEnv(), PortChoice{});
        QVERIFY(SaveEnv(PortChoice{1, 3}));
        QCOMPARE(readFile(current.filePath(QStringLiteral("env.dat"))), QByteArray::fromHex("01000300"));
    }

    void fileThatCannotBeOpened_loadsZeros_andSaveReportsFailure()
    {
        // A folder in its place can be neither read nor written, also for root.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("env.dat")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot read")));
        QCOMPARE(LoadEnv(path()), PortChoice{});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write")));
        QVERIFY(!SaveEnv(PortChoice{2, 5}, path()));
    }

    void fileThatCannotBeCreated_loadsZeros()
    {
        const QString inMissingFolder = m_dir.filePath(QStringLiteral("missing/env.dat"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot create")));
        QCOMPARE(LoadEnv(inMissingFolder), PortChoice{});
        QVERIFY(!QFile::exists(inMissingFolder));
    }
};

QTEST_GUILESS_MAIN(TestEnvFile)
#include "tst_env_file.moc"
