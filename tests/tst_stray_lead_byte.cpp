#include "link/line_ends.h"
#include "link/reply_accumulator.h"
#include "link/speed_table.h"
#include "support/link_waits.h"
#include "support/pty_link.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPort = 2;

} // namespace

// A logger that cuts a two-byte character short, or one noisy byte on the line, leaves a lead
// byte that no trail byte follows. The line end behind it must still end the wait.
class TestStrayLeadByte : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_pty = std::make_unique<PtyLink>(kPort);
        QVERIFY(m_pty->valid);
        QVERIFY(!m_pty->link.openPort(kPort, SpeedTable().at(5)));
    }

    void cleanup() { m_pty.reset(); }

    void lineEndAfterAStrayLeadByte_endsTheWaitAtOnce_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QString>("lastReply");

        QTest::newRow("in one read") << QByteArrayList{QByteArray::fromHex("3132810D0A")}
                                     << u"12\uFFFD\r\n"_s;
        // The lead byte may be the start of a character until the next byte shows otherwise.
        QTest::newRow("lead byte last in its read")
            << QByteArrayList{QByteArray::fromHex("313281"), QByteArray::fromHex("0D0A")} << u"12\uFFFD\r\n"_s;
        QTest::newRow("lead byte before the line feed of a split line end")
            << QByteArrayList{QByteArray::fromHex("31320D"), QByteArray::fromHex("E00A0D0A")}
            << u"12\r\uFFFD\n\r\n"_s;
        QTest::newRow("highest lead byte") << QByteArrayList{QByteArray::fromHex("FC0D0A")} << u"\uFFFD\r\n"_s;
        // Still one character when its second byte comes in the next read.
        QTest::newRow("whole character split over two reads")
            << QByteArrayList{QByteArray::fromHex("3181"), QByteArray::fromHex("400D0A")} << u"1\u3000\r\n"_s;
    }

    void lineEndAfterAStrayLeadByte_endsTheWaitAtOnce()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QString, lastReply);

        for (int i = 0; i < pieces.size(); ++i)
            m_pty->peer.sendAfter(20 + 60 * i, pieces.at(i));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(waitForReply(m_pty->link, LineCRLF, std::chrono::seconds(20)), ReplyResult::Received);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(u"%1 ms"_s.arg(clock.elapsed())));
        QCOMPARE(m_pty->link.LastReply(), lastReply);
    }

    // The cap counts a stray lead byte as one character, as the search does.
    void cap_countsAStrayLeadByteAsOneCharacter()
    {
        // "A", a stray lead byte, CR, "B", and a lead byte still waiting for its second byte.
        ReplyAccumulator accumulator;
        accumulator.append(QByteArray::fromHex("41810D4281"));
        accumulator.keepLastCharacters(2);
        QCOMPARE(accumulator.bytes(), QByteArray::fromHex("0D4281"));
    }

private:
    std::unique_ptr<PtyLink> m_pty;
};

QTEST_GUILESS_MAIN(TestStrayLeadByte)
#include "tst_stray_lead_byte.moc"
