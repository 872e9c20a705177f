#include "simulator/logger_settings.h"
#include "support/sequence_rig.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

} // namespace

// What a logger answers goes back to it as it came when the operator leaves it alone, whatever
// the bytes, also a character code page 932 has two codes for; what the operator types goes out
// in the code page's own codes. A read and a write through the real port against the simulated
// logger.
class TestAnswerBytes : public QObject
{
    Q_OBJECT

private slots:
    void answers_areWrittenBackInTheirBytes_typedValuesInTheCodePagesOwn()
    {
        struct Item
        {
            QByteArray key;
            QByteArray held;      // what the logger holds before the read
            QString typed = {};   // what the operator types into its connection box; null: nothing
            QByteArray sent = {}; // what the write sends when the operator typed
        };
        const QList<Item> items = {
            // Single bytes code page 932 leaves undefined; Windows reads and writes them as they are.
            {"CAPOPID", hex("80A0FDFEFF")},
            {"CADATAADDRESS1", "a" + hex("8089B7A0") + "@example.jp"},
            // Kanji, half-width katakana, the NEC row 13 and the IBM rows (none has a narrower form).
            {"CALOGINID", hex("89B7B187408754FA40FA5C")},
            {"CAAPN", "apn\\~.example"},
            // The second codes of characters that have two: U+2252 in the NEC row 13 (the code
            // page's own is 81 E0), U+2170 and U+7E8A in the NEC-selected IBM rows (FA 40, FA 5C),
            // U+2235 in the IBM rows (81 E6).
            {"CAPOPSERVER", "pop" + hex("8790") + ".example"},
            {"CAALARMADDRESS2", hex("EEEF") + "@example.jp"},
            {"CADATAADDRESS2", hex("ED40") + "@example.jp"},
            {"CASMTPSERVER", hex("FA5B") + "smtp.example"},
            // A limit, sent again as CAEEWF0 by "ArmNet.eep" (checked below).
            {"ALARM0", hex("8790") + "5"},
            // Typed: a character of two codes goes out in the code page's own, whatever was held.
            {"CATELNO", hex("8790") + "1", u"≒2"_s, hex("81E0") + "2"},
            {"CAFROMADDRESS", "x@example.jp", u"ⅰ@example.jp"_s, hex("FA40") + "@example.jp"},
        };
        QTemporaryDir folder;
        const SimulatedLoggerOptions options{.settingsFile = folder.filePath(u"logger.txt"_s)};
        LoggerSettings stored(options.settingsFile);
        QString error;
        QVERIFY(stored.load(&error));
        for (const Item &item : items)
            stored.setValue(item.key, item.held);
        QVERIFY2(stored.save(&error), qPrintable(error));

        SequenceRig rig(options);
        QVERIFY(rig.isValid());
        rig.read();
        QCOMPARE(rig.screen().messages(), QStringList());
        for (const Item &item : items) {
            if (!item.typed.isNull()) {
                const int box = LoggerItems::boxOf(LoggerItems::row(item.key.toStdString()));
                rig.model().connection().Text3(box).setText(item.typed);
            }
        }
        rig.write();
        QCOMPARE(rig.screen().messages(), QStringList{u"設定の書き込みに成功しました。"_s});

        for (const Item &item : items) {
            const QByteArray sent = item.typed.isNull() ? item.held : item.sent;
            QVERIFY2(rig.logger().receivedLines().contains(item.key + '=' + sent), item.key.constData());
            QCOMPARE(rig.logger().rawValue(item.key), sent);
        }
        QVERIFY(rig.logger().receivedLines().contains("CAEEWF0," + hex("8790") + "5"));
        // The exchange log shows the text the bytes stand for.
        QVERIFY(rig.screen().log().contains(u"CAPOPSERVER=pop≒.example\r\n"_s));
    }
};

QTEST_GUILESS_MAIN(TestAnswerBytes)
#include "tst_answer_bytes.moc"
