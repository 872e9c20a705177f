#include "base/run_time_error.h"
#include "link/link.h"
#include "link/reply_accumulator.h"
#include "link/speed_table.h"
#include "support/telvaro_names.h"
#include "text/cp932.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLinkText : public QObject
{
    Q_OBJECT

private slots:
    void stripLineEnds_removesEveryCarriageReturnAndLineFeed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("line end inside") << u"AB\r\nC"_s << u"ABC"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("only line ends, any order") << u"\n\r\r\n"_s << QString();
        QTest::newRow("japanese kept") << u"温度\r\n"_s << u"温度"_s;
        QTest::newRow("other control characters kept") << u"a\tb\x0c\r"_s << u"a\tb\x0c"_s;
    }

    void stripLineEnds_removesEveryCarriageReturnAndLineFeed()
    {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QCOMPARE(StripLineEnds(text), stripped);
    }

    void search_matchesWholeCharactersOnly_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("found");

        QTest::newRow("plain") << QByteArray("xxAT\r\n") << u"AT\r\n"_s << true;
        QTest::newRow("case counts") << QByteArray("ok\r\n") << u"OK\r\n"_s << false;
        // 0x83 0x41 is one katakana character whose second byte is the code of "A".
        QTest::newRow("inside a two-byte character")
            << QByteArray::fromHex("8341") + "T\r\n" << u"AT\r\n"_s << false;
        QTest::newRow("after a two-byte character")
            << QByteArray::fromHex("8341") + "AT\r\n" << u"AT\r\n"_s << true;
        QTest::newRow("half-width katakana are one byte")
            << QByteArray::fromHex("B1") + "AT\r\n" << u"AT\r\n"_s << true;
        QTest::newRow("later occurrence on a boundary")
            << QByteArray::fromHex("8341") + "T" + QByteArray::fromHex("8341") + "AT" << u"AT"_s
            << true;
        QTest::newRow("two-byte expected text") << QByteArray::fromHex("4189B79378")
                                                << u"温度"_s << true;
    }

    void search_matchesWholeCharactersOnly()
    {
        QFETCH(QByteArray, received);
        QFETCH(QString, expected);
        QFETCH(bool, found);

        ReplyAccumulator accumulator;
        accumulator.append(received);
        QCOMPARE(accumulator.contains(Cp932::encode(expected)), found);
    }

    void cap_keepsTheLastWholeCharacters_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("kept");

        const QByteArray kanji = QByteArray::fromHex("89B7");
        QTest::newRow("under the cap") << QByteArray("abc") << 3 << QByteArray("abc");
        QTest::newRow("single bytes") << QByteArray("abcdef") << 4 << QByteArray("cdef");
        QTest::newRow("two-byte characters are not cut")
            << kanji + kanji + kanji << 2 << kanji + kanji;
        QTest::newRow("mixed") << "a" + kanji + "b" + kanji << 3 << kanji + "b" + kanji;
        QTest::newRow("half-received character is kept beyond the cap")
            << "abc" + kanji + QByteArray::fromHex("89") << 2 << "c" + kanji + QByteArray::fromHex("89");
    }

    void cap_keepsTheLastWholeCharacters()
    {
        QFETCH(QByteArray, received);
        QFETCH(int, limit);
        QFETCH(QByteArray, kept);

        ReplyAccumulator accumulator;
        accumulator.append(received);
        accumulator.keepLastCharacters(limit);
        QCOMPARE(accumulator.bytes(), kept);
    }

    void speedTable_holdsTheTenLineSettingsAndAnEmptySlot()
    {
        const SpeedTable table;
        const QStringList speeds = {u"300"_s,   u"600"_s,   u"1200"_s,  u"2400"_s,  u"4800"_s,
                                    u"9600"_s,  u"19200"_s, u"38400"_s, u"57600"_s, u"115200"_s};
        for (int slot = 0; slot < speeds.size(); ++slot)
            QCOMPARE(table.at(slot), speeds.at(slot) + u",N,8,1"_s);
        QCOMPARE(table.at(10), QString());
    }

    void lineSettings_areTakenApart_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopBits");

        QTest::newRow("slowest") << u"300,N,8,1"_s << 300 << int(QSerialPort::NoParity) << 8
                                 << int(QSerialPort::OneStop);
        QTest::newRow("fastest") << u"115200,N,8,1"_s << 115200 << int(QSerialPort::NoParity)
                                 << 8 << int(QSerialPort::OneStop);
        QTest::newRow("even, seven bits, two stops")
            << u"9600,e,7,2"_s << 9600 << int(QSerialPort::EvenParity) << 7
            << int(QSerialPort::TwoStop);
    }

    void lineSettings_areTakenApart()
    {
        QFETCH(QString, settings);
        const LineSettings parsed = parseLineSettings(settings);
        QTEST(parsed.speed, "speed");
        QTEST(int(parsed.parity), "parity");
        QTEST(int(parsed.dataBits), "dataBits");
        QTEST(int(parsed.stopBits), "stopBits");
    }

    void invalidLineSettings_areOpeningErrors_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("empty") << QString();
        QTest::newRow("not settings") << u"fast"_s;
        QTest::newRow("no stop bits") << u"9600,N,8"_s;
        QTest::newRow("one field too many") << u"9600,N,8,1,1"_s;
        QTest::newRow("zero speed") << u"0,N,8,1"_s;
        QTest::newRow("speed not a number") << u"96OO,N,8,1"_s;
        QTest::newRow("unknown parity") << u"9600,X,8,1"_s;
        QTest::newRow("nine data bits") << u"9600,N,9,1"_s;
        QTest::newRow("three stop bits") << u"9600,N,8,3"_s;
    }

    void invalidLineSettings_areOpeningErrors()
    {
        QFETCH(QString, settings);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, parseLineSettings(settings));
    }
};

QTEST_GUILESS_MAIN(TestLinkText)
#include "tst_link_text.moc"
