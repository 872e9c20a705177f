#include "support/telvaro_names.h"
#include "text/cp932.h"

#include <QTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("mode0=127") << QByteArray("mode0=127");
        QTest::newRow("kanji") << QStringLiteral("温度") << QByteArray::fromHex("89B79378");
        QTest::newRow("half-width katakana") << QStringLiteral("ｷｬﾝｾﾙ") << QByteArray::fromHex("B7ACDDBED9");
        QTest::newRow("degree celsius") << QStringLiteral("℃") << QByteArray::fromHex("818E");
        QTest::newRow("full-width yen") << QStringLiteral("￥") << QByteArray::fromHex("818F");
        // Windows extensions of code page 932 beyond plain Shift-JIS.
        QTest::newRow("circled one") << QStringLiteral("①") << QByteArray::fromHex("8740");
        QTest::newRow("full-width tilde") << QStringLiteral("～") << QByteArray::fromHex("8160");
        QTest::newRow("full-width reverse solidus") << QStringLiteral("＼") << QByteArray::fromHex("815F");
        QTest::newRow("backslash and tilde stay ASCII") << QStringLiteral("\\~") << QByteArray("\\~");
        // Where Windows has two codes for a character it writes one of them: the NEC row for
        // symbols, the IBM rows for the small roman numerals and the extension kanji.
        QTest::newRow("approximately equal") << QStringLiteral("≒") << QByteArray::fromHex("81E0");
        QTest::newRow("roman numeral one") << QStringLiteral("Ⅰ") << QByteArray::fromHex("8754");
        QTest::newRow("small roman numeral one") << QStringLiteral("ⅰ") << QByteArray::fromHex("FA40");
        QTest::newRow("extension kanji") << QStringLiteral("纊") << QByteArray::fromHex("FA5C");
        QTest::newRow("user-defined area") << QStringLiteral("\uE000") << QByteArray::fromHex("F040");
        // The control codes as Windows has them (ICU's table rotates these three).
        QTest::newRow("control codes") << QStringLiteral("\x1A\x1C\x7F\x1B") << QByteArray::fromHex("1A1C7F1B");
        // Bytes the code page leaves undefined, as Windows reads and writes them.
        QTest::newRow("undefined single bytes")
            << QStringLiteral("\u0080\uF8F0\uF8F1\uF8F2\uF8F3") << QByteArray::fromHex("80A0FDFEFF");
        QTest::newRow("undefined bytes among text")
            << QStringLiteral("a\u0080温\uF8F0ｱ\uF8F3") << QByteArray::fromHex("618089B7A0B1FF");
    }

    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp932::encode(text), bytes);
        QVERIFY(Cp932::canEncode(text));
        QCOMPARE(Cp932::decode(bytes), text);
    }

    void charactersOutsideTheCodePage_areReportedAndSubstituted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("euro") << QStringLiteral("a€");
        QTest::newRow("half-width arrow") << QStringLiteral("\uFFE9");
        QTest::newRow("emoji") << QStringLiteral("x\U0001F600");
        QTest::newRow("hangul") << QStringLiteral("한");
        QTest::newRow("replacement character") << QStringLiteral("\uFFFD");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
        // Characters Windows would write as a look-alike that reads back as something else.
        QTest::newRow("cent sign") << QStringLiteral("\u00A2");
        QTest::newRow("minus sign") << QStringLiteral("\u2212");
        QTest::newRow("wave dash") << QStringLiteral("\u301C");
    }

    void charactersOutsideTheCodePage_areReportedAndSubstituted()
    {
        QFETCH(QString, text);
        QVERIFY(!Cp932::canEncode(text));
        QVERIFY(Cp932::encode(text).endsWith('?'));
    }

    // ICU drops these without a trace when it encodes; a value would lose characters unseen.
    void defaultIgnorableCharacters_areNotEncodable_data()
    {
        QTest::addColumn<char16_t>("first");
        QTest::addColumn<char16_t>("last");
        QTest::newRow("soft hyphen") << u'\u00AD' << u'\u00AD';
        QTest::newRow("zero-width spaces and marks") << u'\u200B' << u'\u200F';
        QTest::newRow("word joiner and invisible operators") << u'\u2060' << u'\u206F';
        QTest::newRow("variation selectors") << u'\uFE00' << u'\uFE0F';
        QTest::newRow("byte order mark") << u'\uFEFF' << u'\uFEFF';
    }

    void defaultIgnorableCharacters_areNotEncodable()
    {
        QFETCH(char16_t, first);
        QFETCH(char16_t, last);
        for (char16_t character = first; character <= last; ++character) {
            const QString text = QStringLiteral("a") + QChar(character) + QStringLiteral("b");
            QVERIFY2(!Cp932::canEncode(text), qPrintable(QString::number(character, 16)));
            QCOMPARE(Cp932::encode(text), QByteArray("a?b"));
        }
    }

    void invalidSequences_decodeToReplacementCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("lead byte before a line end")
            << QByteArray::fromHex("3132810D0A") << QStringLiteral("12\uFFFD\r\n");
        QTest::newRow("lead byte before a space") << QByteArray::fromHex("E020") << QStringLiteral("\uFFFD ");
        QTest::newRow("lead byte at the end") << QByteArray::fromHex("41FC") << QStringLiteral("A\uFFFD");
        QTest::newRow("unassigned pair") << QByteArray::fromHex("85404142") << QStringLiteral("\uFFFDAB");
        QTest::newRow("lead byte before an undefined byte")
            << QByteArray::fromHex("9FFD") << QStringLiteral("\uFFFD\uF8F1");
    }

    void invalidSequences_decodeToReplacementCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp932::decode(bytes), text);
        QVERIFY(!Cp932::canEncode(Cp932::decode(bytes)));
    }

    // Whatever a logger answers can be shown and written back as it came: each single byte and
    // each lead and trail byte pair is one character, which encodes back to bytes that read
    // the same (a pair Windows writes otherwise, the NEC-selected kanji, reads the same).
    void everyByteAndPair_decodesToOneCharacterThatEncodesBack()
    {
        for (int byte = 0; byte <= 0xFF; ++byte) {
            const QByteArray single(1, char(byte));
            const QString text = Cp932::decode(single);
            if (Cp932::isLeadByte(single.at(0))) {
                QCOMPARE(text, QString(QChar::ReplacementCharacter));
                continue;
            }
            QCOMPARE(text.size(), 1);
            QCOMPARE(Cp932::encode(text), single);
        }
        int pairs = 0;
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            for (int trail = 0; trail <= 0xFF; ++trail) {
                const QByteArray pair = QByteArray(1, char(lead)) + char(trail);
                if (!Cp932::isLeadByte(pair.at(0)) || !Cp932::isTrailByte(pair.at(1)))
                    continue;
                ++pairs;
                const QString text = Cp932::decode(pair);
                QCOMPARE(text.size(), 1);
                if (text.at(0) != QChar::ReplacementCharacter)
                    QCOMPARE(Cp932::decode(Cp932::encode(text)), text);
            }
        }
        QCOMPARE(pairs, 60 * 188);
    }

    void characterLength_takesATrailByteOnlyAfterALeadByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<qsizetype>>("lengths");
        QTest::newRow("ascii") << QByteArray("AB") << QList<qsizetype>{1, 1};
        QTest::newRow("kanji") << QByteArray::fromHex("89B741") << QList<qsizetype>{2, 1};
        QTest::newRow("every trail byte range") << QByteArray::fromHex("8140817E8180E0FC")
                                                << QList<qsizetype>{2, 2, 2, 2};
        QTest::newRow("stray lead before a line end") << QByteArray::fromHex("810D0A")
                                                      << QList<qsizetype>{1, 1, 1};
        QTest::newRow("stray lead before 0x7F and 0xFD") << QByteArray::fromHex("817F81FD")
                                                         << QList<qsizetype>{1, 1, 1, 1};
        QTest::newRow("lead byte still waiting for its trail") << QByteArray::fromHex("4181")
                                                               << QList<qsizetype>{1, 2};
        QTest::newRow("half-width katakana") << QByteArray::fromHex("B1DF") << QList<qsizetype>{1, 1};
        QTest::newRow("a lead byte can be a trail byte") << QByteArray::fromHex("81818181")
                                                        << QList<qsizetype>{2, 2};
    }

    void characterLength_takesATrailByteOnlyAfterALeadByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qsizetype>, lengths);
        QList<qsizetype> found;
        for (qsizetype at = 0; at < bytes.size(); at += found.last())
            found.append(Cp932::characterLength(bytes, at));
        QCOMPARE(found, lengths);
    }

    void emptyText_isEncodableAndDecodesEmpty()
    {
        QVERIFY(Cp932::canEncode(QString()));
        QCOMPARE(Cp932::encode(QString()), QByteArray());
        QCOMPARE(Cp932::decode(QByteArray()), QString());
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
