#include "simulator/logger_settings.h"
#include "support/sequence_rig.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// What a logger answers goes back to it as it came when the operator leaves it alone, whatever
// the bytes: a read and a write through the real port against the simulated logger.
class TestAnswerBytes : public QObject
{
    Q_OBJECT

private slots:
    void answers_areWrittenBackByteIdentical()
    {
        const QList<std::pair<QByteArray, QByteArray>> answers = {
            // Single bytes code page 932 leaves undefined; Windows reads and writes them as they are.
            {"CAPOPID", QByteArray::fromHex("80A0FDFEFF")},
            {"CADATAADDRESS1", "a" + QByteArray::fromHex("8089B7A0") + "@example.jp"},
            // Kanji, half-width katakana, the NEC row 13 and the IBM rows (none has a narrower form).
            {"CALOGINID", QByteArray::fromHex("89B7B187408754FA40FA5C")},
            {"CAAPN", "apn\\~.example"},
        };
        QTemporaryDir folder;
        const SimulatedLoggerOptions options{.settingsFile = folder.filePath(u"logger.txt"_s)};
        LoggerSettings stored(options.settingsFile);
        QString error;
        QVERIFY(stored.load(&error));
        for (const auto &[key, answer] : answers)
            stored.setValue(key, answer);
        QVERIFY2(stored.save(&error), qPrintable(error));

        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList());
        rig.write();
        QCOMPARE(rig.screen().messages(), QStringList{u"設定の書き込みに成功しました。"_s});

        for (const auto &[key, answer] : answers) {
            QVERIFY2(rig.logger().receivedLines().contains(key + '=' + answer), key.constData());
            QCOMPARE(rig.logger().rawValue(key), answer);
        }
    }
};

QTEST_GUILESS_MAIN(TestAnswerBytes)
#include "tst_answer_bytes.moc"
