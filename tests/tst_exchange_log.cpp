#include "exchange/exchange_log.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate kDay(2026, 12, 8);

ScreenModel::LogPiece piece(int second, const QString &text)
{
    return {QDateTime(kDay, QTime(16, 53, second, 250)), text};
}

} // namespace

class TestExchangeLog : public QObject
{
    Q_OBJECT

private slots:
    void lines_showTheTimeTheirFirstPieceCame_data()
    {
        QTest::addColumn<QList<ScreenModel::LogPiece>>("pieces");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("a line per piece") << QList{piece(1, u"AT\r\n"_s), piece(2, u"CONNECT\r\n"_s)}
                                          << QStringList{u"16:53:01.250  AT"_s, u"16:53:02.250  CONNECT"_s};
        QTest::newRow("a line in two pieces, CR LF split between them")
            << QList{piece(1, u"REA"_s), piece(2, u"DY\r"_s), piece(3, u"\nCAON\r\n"_s)}
            << QStringList{u"16:53:01.250  READY"_s, u"16:53:03.250  CAON"_s};
        QTest::newRow("two lines in one piece, bare line ends, an empty line")
            << QList{piece(4, u"OK\r\nnext\n\r\nlast\r"_s)}
            << QStringList{u"16:53:04.250  OK"_s, u"16:53:04.250  next"_s, u"16:53:04.250  "_s, u"16:53:04.250  last"_s};
        QTest::newRow("the last line still coming") << QList{piece(5, u"mode0=001\r\n"_s), piece(6, u"00"_s)}
                                                    << QStringList{u"16:53:05.250  mode0=001"_s, u"16:53:06.250  00"_s};
        QTest::newRow("kanji and full width") << QList{piece(7, u"CALOGINID=利用者　１\r\n"_s)}
                                              << QStringList{u"16:53:07.250  CALOGINID=利用者　１"_s};
        QTest::newRow("nothing yet") << QList<ScreenModel::LogPiece>() << QStringList();
    }

    void lines_showTheTimeTheirFirstPieceCame()
    {
        QFETCH(QList<ScreenModel::LogPiece>, pieces);
        QFETCH(QStringList, lines);
        QCOMPARE(readableLogLines(pieces), lines);
    }

    // Sent with a write, answered to a read, in one piece or in several: never shown.
    void passwords_showAsStars()
    {
        const QList<ScreenModel::LogPiece> pieces = {
            piece(1, u"CALOGINPASS=pass01\r\n"_s), piece(2, u"OK\r\n"_s),
            piece(3, u"CAPOPPASS=pop"_s), piece(4, u"pass01\r\nOK\r\n"_s),
            piece(5, u"CALOGINPASS?\r\n"_s), piece(6, u"pass"_s), piece(7, u"01\r\n"_s),
            piece(8, u"CAPOPPASS?\r\n"_s), piece(9, u"poppass01\r\nCAPOPSERVER?\r\npop.example.jp\r\n"_s)};
        const QStringList lines = readableLogLines(pieces);
        QCOMPARE(lines, (QStringList{u"16:53:01.250  CALOGINPASS=********"_s, u"16:53:02.250  OK"_s,
                                     u"16:53:03.250  CAPOPPASS=********"_s, u"16:53:04.250  OK"_s,
                                     u"16:53:05.250  CALOGINPASS?"_s, u"16:53:06.250  ********"_s,
                                     u"16:53:08.250  CAPOPPASS?"_s, u"16:53:09.250  ********"_s,
                                     u"16:53:09.250  CAPOPSERVER?"_s, u"16:53:09.250  pop.example.jp"_s}));
        QCOMPARE(logFileBytes(lines.mid(0, 2)), "16:53:01.250  CALOGINPASS=********\r\n16:53:02.250  OK\r\n"_ba);
    }

    void model_stampsEachPieceAsItComes()
    {
        ScreenModel screen;
        const QDateTime before = QDateTime::currentDateTime();
        screen.appendLog(u"AT\r\n"_s);
        screen.appendLog(QString()); // nothing came: no piece
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(screen.logPieces().size(), 1);
        QVERIFY(screen.logPieces().first().at >= before && screen.logPieces().first().at <= after);
        QCOMPARE(screen.logText(), u"AT\r\n"_s);
        screen.clearLog();
        QVERIFY(screen.logPieces().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExchangeLog)
#include "tst_exchange_log.moc"
