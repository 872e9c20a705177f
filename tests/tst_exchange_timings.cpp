#include "base/timings.h"
#include "support/telvaro_names.h"

#include <QTest>

// Every time-out, pause and retry limit of the exchange, as the logger's protocol has them.
// The other tests run the exchange at a small scale of these; this one pins the real values.
class TestExchangeTimings : public QObject
{
    Q_OBJECT

private:
    enum Kind { TimeOut, Pause };

    static void addTiming(const char *name, ExchangeTimings::Duration ExchangeTimings::*timing, qint64 expectedMs, Kind kind)
    {
        // Time-outs and pauses scale apart, so that a test can stretch the pauses alone.
        const ExchangeTimings scaled = ExchangeTimings{}.scaled(0.05, 0.5);
        QTest::newRow(name) << qint64((ExchangeTimings{}.*timing).count()) << qint64((scaled.*timing).count())
                            << expectedMs << (kind == TimeOut ? expectedMs / 20 : expectedMs / 2);
    }

private slots:
    void defaults_areTheProtocolsOwn_andScaleAlike_data()
    {
        QTest::addColumn<qint64>("defaultMs");
        QTest::addColumn<qint64>("scaledMs");
        QTest::addColumn<qint64>("expectedMs");
        QTest::addColumn<qint64>("expectedScaledMs");
        addTiming("wait for AT", &ExchangeTimings::wakeUpTimeout, 2000, TimeOut);
        addTiming("wait for READY", &ExchangeTimings::readyTimeout, 2000, TimeOut);
        addTiming("pause before the read's next handshake", &ExchangeTimings::readHandshakeRetryPause, 2000, Pause);
        addTiming("pause before the write's next handshake", &ExchangeTimings::writeHandshakeRetryPause, 500, Pause);
        addTiming("wait for OK to CAON", &ExchangeTimings::commandModeTimeout, 4000, TimeOut);
        addTiming("pause before CAON again", &ExchangeTimings::commandModeRetryPause, 500, Pause);
        addTiming("wait for the model code", &ExchangeTimings::modelQueryTimeout, 2000, TimeOut);
        addTiming("pause before EERM0 again", &ExchangeTimings::modelQueryRetryPause, 2000, Pause);
        addTiming("wait for the EERC9 answer", &ExchangeTimings::channelCountTimeout, 20000, TimeOut);
        addTiming("wait for an answer to select.eep", &ExchangeTimings::channelAnswerTimeout, 20000, TimeOut);
        addTiming("pause before select01.eep", &ExchangeTimings::pauseBeforeMailBlock, 500, Pause);
        addTiming("wait for an answer to select01.eep", &ExchangeTimings::mailAnswerTimeout, 4000, TimeOut);
        addTiming("wait for an answer to select02.eep", &ExchangeTimings::connectionAnswerTimeout, 10000, TimeOut);
        addTiming("wait for OK to CAOFF", &ExchangeTimings::commandModeOffTimeout, 4000, TimeOut);
        addTiming("wait for an acknowledgement", &ExchangeTimings::acknowledgementTimeout, 2000, TimeOut);
        addTiming("pause before ArmNet.eep", &ExchangeTimings::pauseBeforeAlarmNetBlock, 500, Pause);
    }

    void defaults_areTheProtocolsOwn_andScaleAlike()
    {
        QFETCH(qint64, defaultMs);
        QFETCH(qint64, scaledMs);
        QFETCH(qint64, expectedMs);
        QFETCH(qint64, expectedScaledMs);
        QCOMPARE(defaultMs, expectedMs);
        QCOMPARE(scaledMs, expectedScaledMs);
    }

    // The read's counter: three handshakes at most, four retries in all; the write's alike.
    void retryLimits_areTheProtocolsOwn_andDoNotScale()
    {
        for (const ExchangeTimings &timings : {ExchangeTimings{}, ExchangeTimings{}.scaled(0.05)}) {
            QCOMPARE(timings.handshakeRetryLimit, qint16(2));
            QCOMPARE(timings.commandRetryLimit, qint16(4));
        }
    }
};

QTEST_APPLESS_MAIN(TestExchangeTimings)
#include "tst_exchange_timings.moc"
