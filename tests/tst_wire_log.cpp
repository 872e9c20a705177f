#include "exchange/wire_log.h"
#include "link/link.h"
#include "link/secret_masking.h"
#include "model/screen_model.h"
#include "support/telvaro_names.h"

#include <QTest>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

const QDate kDay(2026, 12, 8);
using Direction = WireLog::Direction;

struct Piece
{
    int second = 0;
    Direction direction = Direction::Received;
    QByteArray bytes;
};

Piece sent(int second, const QByteArray &bytes)
{
    return {second, Direction::Sent, bytes};
}

Piece received(int second, const QByteArray &bytes)
{
    return {second, Direction::Received, bytes};
}

// A line that is never opened: the log is fed by hand.
class NoLine : public SerialLine
{
public:
    std::optional<PortOpenFailure> open(int, const QString &) override { return std::nullopt; }
    bool isOpen() const override { return false; }
    void release() override {}
    void discardInput() override {}
    void write(const QByteArray &) override {}
    qint64 bytesAvailable() const override { return 0; }
    QByteArray readAll() override { return {}; }
};

// The pieces through a fresh log, passwords masked as the link masks them.
QStringList linesOf(const QList<Piece> &pieces)
{
    NoLine line;
    Link link(line);
    WireLog log(link);
    SecretMasking masking;
    for (const Piece &piece : pieces) {
        const QByteArray masked = piece.direction == Direction::Sent ? masking.sent(piece.bytes) : masking.received(piece.bytes);
        log.append(piece.direction, masked, QDateTime(kDay, QTime(16, 53, piece.second, 250)));
    }
    return log.readableLines();
}

} // namespace

Q_DECLARE_METATYPE(QList<Piece>)

class TestWireLog : public QObject
{
    Q_OBJECT

private slots:
    void lines_showTheTimeTheirFirstPieceCame_andWhichWay_data()
    {
        QTest::addColumn<QList<Piece>>("pieces");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("a line per piece") << QList{received(1, "AT\r\n"), sent(2, "\rCONNECT\r")}
                                          << QStringList{u"16:53:01.250  ← AT"_s, u"16:53:02.250  → CONNECT"_s};
        QTest::newRow("a line in two pieces, CR LF split between them")
            << QList{received(1, "REA"), received(2, "DY\r"), received(3, "\nOK\r\n")}
            << QStringList{u"16:53:01.250  ← READY"_s, u"16:53:03.250  ← OK"_s};
        QTest::newRow("two lines in one piece, bare line ends, an empty line")
            << QList{received(4, "OK\r\nnext\n\r\nlast\r")}
            << QStringList{u"16:53:04.250  ← OK"_s, u"16:53:04.250  ← next"_s, u"16:53:04.250  ← "_s, u"16:53:04.250  ← last"_s};
        QTest::newRow("the last line still coming") << QList{received(5, "mode0=001\r\n"), received(6, "00")}
                                                    << QStringList{u"16:53:05.250  ← mode0=001"_s, u"16:53:06.250  ← 00"_s};
        QTest::newRow("the other side's bytes begin a line of their own")
            << QList{received(5, "GSN"), sent(6, "EERC9\r\n"), received(7, "16\r\n")}
            << QStringList{u"16:53:05.250  ← GSN"_s, u"16:53:06.250  → EERC9"_s, u"16:53:07.250  ← 16"_s};
        QTest::newRow("kanji and full width, in code page 932")
            << QList{sent(7, QByteArray::fromHex("43414c4f47494e49443d97989770814082500d0a"))}
            << QStringList{u"16:53:07.250  → CALOGINID=利用　１"_s};
        QTest::newRow("nothing yet") << QList<Piece>() << QStringList();
    }

    void lines_showTheTimeTheirFirstPieceCame_andWhichWay()
    {
        QFETCH(QList<Piece>, pieces);
        QFETCH(QStringList, lines);
        QCOMPARE(linesOf(pieces), lines);
    }

    // Sent with a write, answered to a read, in one piece or in several: never shown.
    void passwords_showAsStars()
    {
        const QStringList lines = linesOf({sent(1, "CALOGINPASS=pass01\r\n"), received(2, "OK\r\n"),
                                           sent(3, "CAPOPPASS=poppass01\r\n"), received(4, "OK\r\n"),
                                           sent(5, "CALOGINPASS?\r\n"), received(6, "pass"), received(7, "01\r\n"),
                                           sent(8, "CAPOPPASS?\r\n"), received(9, "poppass01\r\n"),
                                           sent(9, "CAPOPSERVER?\r\n"), received(9, "pop.example.jp\r\n")});
        QCOMPARE(lines, (QStringList{u"16:53:01.250  → CALOGINPASS=********"_s, u"16:53:02.250  ← OK"_s,
                                     u"16:53:03.250  → CAPOPPASS=********"_s, u"16:53:04.250  ← OK"_s,
                                     u"16:53:05.250  → CALOGINPASS?"_s, u"16:53:06.250  ← ********"_s,
                                     u"16:53:08.250  → CAPOPPASS?"_s, u"16:53:09.250  ← ********"_s,
                                     u"16:53:09.250  → CAPOPSERVER?"_s, u"16:53:09.250  ← pop.example.jp"_s}));
        QCOMPARE(WireLog::fileBytes(lines.mid(0, 2)), "16:53:01.250  → CALOGINPASS=********\r\n16:53:02.250  ← OK\r\n"_ba);
    }

    // The hidden exchange log keeps its own text, whatever the wire log shows.
    void screensLog_isItsTextUntilCleared()
    {
        ScreenModel screen;
        screen.appendLog(u"AT\r\n"_s);
        screen.appendLog(QString());
        QCOMPARE(screen.logText(), u"AT\r\n"_s);
        screen.clearLog();
        QCOMPARE(screen.logText(), QString());
    }
};

QTEST_GUILESS_MAIN(TestWireLog)
#include "tst_wire_log.moc"
