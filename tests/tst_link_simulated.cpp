#include "link/line_ends.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "link/speed_table.h"
#include "support/link_waits.h"
#include "support/simulated_logger_fixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// The link against the simulated logger over a pseudo-terminal, as a sequence uses it.
class TestLinkSimulated : public QObject
{
    Q_OBJECT

private:
    struct Connection
    {
        explicit Connection(const SimulatedLoggerOptions &options)
            : logger(options), line(logger.portsFolder()), link(line)
        {
        }
        SimulatedLoggerFixture logger;
        QtSerialLine line;
        Link link;
    };

    // Wake-up, handshake and command mode, as the sequences begin.
    static void enterCommandMode(Link &link)
    {
        link.discardInput();
        QCOMPARE(waitForReply(link, u"AT"_s + LineCRLF, 2s), ReplyResult::Received);
        link.sendText(LineCR + u"CONNECT"_s + LineCR);
        QCOMPARE(waitForReply(link, u"READY"_s + LineCRLF, 2s), ReplyResult::Received);
        link.sendText(u"CAON"_s + LineCRLF);
        QCOMPARE(waitForReply(link, u"OK"_s + LineCRLF, 4s), ReplyResult::Received);
    }

private slots:
    void splitReplies_arriveWhole()
    {
        Connection connection({.splitPause = 30ms, .splitRepliesBytes = 2});
        QVERIFY2(connection.logger.isValid(), qPrintable(connection.logger.errorString()));
        Link &link = connection.link;
        QVERIFY(!link.openPort(1, SpeedTable().at(9)));

        enterCommandMode(link);
        QCOMPARE(link.LastReply(), u"OK\r\n"_s);
        link.sendText(u"EERM0"_s + LineCRLF);
        QCOMPARE(waitForReply(link, LineCRLF, 2s), ReplyResult::Received);
        QCOMPARE(link.LastReply(), u"GSNV01.00\r\n"_s);
        link.releasePort();
    }

    void echoedCommand_precedesTheAnswerInLastReply()
    {
        Connection connection({.echoCommands = true});
        QVERIFY2(connection.logger.isValid(), qPrintable(connection.logger.errorString()));
        Link &link = connection.link;
        QVERIFY(!link.openPort(1, SpeedTable().at(5)));

        enterCommandMode(link);
        QVERIFY2(link.LastReply().startsWith(u"CAON"_s), qPrintable(link.LastReply()));
        QVERIFY(link.LastReply().endsWith(u"OK\r\n"_s));
        link.sendText(u"EERM0"_s + LineCRLF);
        QCOMPARE(waitForReply(link, u"GSNV01.00"_s + LineCRLF, 2s), ReplyResult::Received);
        QVERIFY2(link.LastReply().startsWith(u"EERM0"_s), qPrintable(link.LastReply()));
    }

    void hangUp_endsTheNextWaitAtOnce()
    {
        Connection connection({.hangUpAfterCommands = 1});
        QVERIFY2(connection.logger.isValid(), qPrintable(connection.logger.errorString()));
        Link &link = connection.link;
        QSignalSpy lost(&connection.line, &SerialLine::lineLost);
        QVERIFY(!link.openPort(1, SpeedTable().at(9)));

        enterCommandMode(link);
        link.sendText(u"EERM0"_s + LineCRLF);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(waitForReply(link, LineCRLF, 10s), ReplyResult::TimedOut);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!link.isPortOpen());
        QCOMPARE(lost.size(), 1);
        link.releasePort();
    }
};

QTEST_GUILESS_MAIN(TestLinkSimulated)
#include "tst_link_simulated.moc"
