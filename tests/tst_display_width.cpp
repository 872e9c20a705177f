#include "support/telvaro_names.h"
#include "text/display_width.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDisplayWidth : public QObject
{
    Q_OBJECT

private slots:
    void columns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("ascii") << u"COM1"_s << 4;
        QTest::newRow("kanji") << u"東京"_s << 4;
        QTest::newRow("full-width letter") << u"Ａ"_s << 2;
        QTest::newRow("half-width katakana") << u"ｱｲ"_s << 2;
        QTest::newRow("combining mark") << u"e\u0301"_s << 1;
        QTest::newRow("outside the basic plane") << u"\U00020B9F"_s << 2;
    }

    void columns()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QCOMPARE(displayWidth(text), width);
    }
};

QTEST_GUILESS_MAIN(TestDisplayWidth)
#include "tst_display_width.moc"
