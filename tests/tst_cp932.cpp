#include "text/cp932.h"

#include <QtTest>

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
    }

    void charactersOutsideTheCodePage_areReportedAndSubstituted()
    {
        QFETCH(QString, text);
        QVERIFY(!Cp932::canEncode(text));
        QVERIFY(Cp932::encode(text).endsWith('?'));
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
