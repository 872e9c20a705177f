#include "support/telvaro_names.h"
#include "text/cp932.h"
#include "text/narrowing.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestNarrowing : public QObject
{
    Q_OBJECT

private slots:
    void narrowed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");

        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("ascii unchanged") << u"abc 123 @.-~"_s << u"abc 123 @.-~"_s;
        QTest::newRow("full-width digits") << u"０１２３４５６７８９"_s << u"0123456789"_s;
        QTest::newRow("full-width letters") << u"ＡＢＣｘｙｚ"_s << u"ABCxyz"_s;
        QTest::newRow("full-width limit") << u"－１２．５"_s << u"-12.5"_s;
        QTest::newRow("full-width address") << u"ａ＠ｂ．ｊｐ"_s << u"a@b.jp"_s;
        QTest::newRow("ends of the full-width ascii range") << u"！～"_s << u"!~"_s;
        QTest::newRow("full-width quotes and backslash") << u"＂＇＼"_s << u"\"'\\"_s;
        QTest::newRow("ideographic space") << u"Ａ\u3000Ｂ"_s << u"A B"_s;
        QTest::newRow("katakana") << u"カタカナ"_s << u"ｶﾀｶﾅ"_s;
        QTest::newRow("small katakana") << u"ァィゥェォャュョッ"_s << u"ｧｨｩｪｫｬｭｮｯ"_s;
        QTest::newRow("wo and n") << u"ヲン"_s << u"ｦﾝ"_s;
        QTest::newRow("voiced katakana") << u"ガ"_s << u"ｶﾞ"_s;
        QTest::newRow("semi-voiced katakana") << u"パ"_s << u"ﾊﾟ"_s;
        QTest::newRow("vu") << u"ヴ"_s << u"ｳﾞ"_s;
        QTest::newRow("voiced word") << u"データ"_s << u"ﾃﾞｰﾀ"_s;
        QTest::newRow("japanese punctuation") << u"。「」、・ー"_s << u"｡｢｣､･ｰ"_s;
        QTest::newRow("spacing sound marks") << u"゛゜"_s << u"ﾞﾟ"_s;
        QTest::newRow("combining sound marks") << u"\u3099\u309A"_s << u"ﾞﾟ"_s;
        // Katakana without a half-width form stay as they are.
        QTest::newRow("wi we small wa small ka small ke") << u"ヰヱヮヵヶ"_s << u"ヰヱヮヵヶ"_s;
        QTest::newRow("voiced wi") << u"ヸ"_s << u"ヸ"_s;
        QTest::newRow("voiced wa") << u"ヷ"_s << u"ﾜﾞ"_s;
        QTest::newRow("hiragana") << u"ひらがな"_s << u"ひらがな"_s;
        QTest::newRow("kanji") << u"温度計"_s << u"温度計"_s;
        QTest::newRow("half-width katakana") << u"ｶﾞｿﾘﾝ"_s << u"ｶﾞｿﾘﾝ"_s;
        // Their half-width forms are outside code page 932.
        QTest::newRow("arrows and shapes") << u"←↑→↓■○│"_s << u"←↑→↓■○│"_s;
        QTest::newRow("full-width yen and signs") << u"￥￠￡￢"_s << u"￥￠￡￢"_s;
        QTest::newRow("full-width white parentheses") << u"\uFF5F\uFF60"_s << u"\uFF5F\uFF60"_s;
        QTest::newRow("hangul compatibility jamo") << u"ㄱ"_s << u"ㄱ"_s;
        QTest::newRow("symbols") << u"℃①"_s << u"℃①"_s;
        QTest::newRow("outside the basic plane") << u"x\U0001F600"_s << u"x\U0001F600"_s;
        QTest::newRow("mixed") << u"温度１０．５℃ ｶﾞス"_s << u"温度10.5℃ ｶﾞｽ"_s;
    }

    void narrowed()
    {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        QCOMPARE(::narrowed(typed), sent);
    }

    // Narrowing must never turn text the logger can receive into text it cannot.
    void sendableCharacter_staysSendable()
    {
        const QList<std::pair<char16_t, char16_t>> ranges = {
            {0x2000, 0x27FF}, {0x3000, 0x30FF}, {0xFF00, 0xFFEF}};
        for (const auto &[first, last] : ranges) {
            for (char16_t code = first; code <= last; ++code) {
                const QString character(QChar{code});
                if (Cp932::canEncode(character) && !Cp932::canEncode(::narrowed(character)))
                    QFAIL(qPrintable(u"U+%1 narrows to unsendable text"_s.arg(int(code), 4, 16, QChar(u'0'))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestNarrowing)
#include "tst_narrowing.moc"
