#include "cli/logger_session.h"
#include "cli/logger_writing.h"
#include "support/cli_session.h"
#include "support/simulated_logger_fixture.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int item(QStringView name)
{
    return *SettingsItems::indexOf(name);
}

} // namespace

// The write of the command line, in-process against a simulated logger at the tests' pace.
class TestCliWriting : public QObject
{
    Q_OBJECT

private:
    TempAppFolder m_folder{TempAppFolder::allInstallFiles()};
    std::unique_ptr<SimulatedLoggerFixture> m_logger;

    void connectLogger(SimulatedLoggerOptions options = {})
    {
        m_logger = std::make_unique<SimulatedLoggerFixture>(options.scaled(kTestTimeScale));
        QVERIFY2(m_logger->isValid(), qPrintable(m_logger->errorString()));
    }
    LoggerOutcome write(const WriteOrder &order)
    {
        LoggerSession session(LoggerPort{u"COM1"_s, 1, m_logger->devicePath()},
                              testSessionSetup(m_folder, m_logger->portsFolder()));
        return LoggerWriting::run(session, order);
    }

private slots:
    void itemsTheLoggerLacks_andLacksOfTheFile_areLeftAlone()
    {
        connectLogger({.noApn = true});
        const LoggerOutcome outcome = write({settingsOf({{u"CATELNO"_s, u"0120"_s},
                                                         {u"CAAPN"_s, u"apn.example.jp"_s},
                                                         {u"CAAUTHTYPE"_s, u"2"_s},
                                                         {u"CAPOPID"_s, u"???"_s},
                                                         {u"ALARM30"_s, u"1"_s},
                                                         {u"ALARM31"_s, u"1"_s}})});
        QVERIFY2(outcome.succeeded(), qPrintable(outcome.error));
        QCOMPARE(outcome.verification, LoggerOutcome::Verification::Verified);
        QCOMPARE(*outcome.changedItems, QList<int>{item(u"CATELNO")});
        // One note for each reason, naming every item it concerns.
        QCOMPARE(outcome.notes, (QStringList{u"this logger has none of CAAPN, CAAUTHTYPE; the values given for them are left out"_s,
                                             u"ALARM30, ALARM31 are the limits of no channel of this model; the values given for "
                                             "them are left out"_s}));
        QCOMPARE(m_logger->logger().value(u"CATELNO"_s), u"0120"_s);
        QCOMPARE(m_logger->logger().value(u"CAPOPID"_s), u"logger01"_s);
        QCOMPARE(*outcome.after->value(u"CAAPN"), u"???"_s);
    }

    void valuesThatLookWrong_areWrittenOnlyWhenForced()
    {
        connectLogger();
        const WriteOrder order{settingsOf({{u"CADNS1"_s, u"192.0.2"_s}})};
        const LoggerOutcome declined = write(order);
        QCOMPARE(declined.error, u"1 finding(s) to confirm (values that look wrong, changes nobody asked for); nothing was written (--force writes all the same)"_s);
        QVERIFY2(declined.notes.value(0).contains(u"\"192.0.2\""_s), qPrintable(declined.notes.value(0)));
        QVERIFY(!declined.changedItems);
        QVERIFY(!m_logger->heardAWrite());

        const LoggerOutcome forced = write({order.changes, true});
        QVERIFY2(forced.succeeded(), qPrintable(forced.error));
        QCOMPARE(forced.notes, declined.notes);
        QCOMPARE(m_logger->logger().value(u"CADNS1"_s), u"192.0.2"_s);
    }

    void anItemTheLoggerDoesNotKeep_isReported()
    {
        connectLogger({.ignoredWriteKey = "CAPOPID"});
        const LoggerOutcome outcome = write({settingsOf({{u"CAPOPID"_s, u"unit7"_s}, {u"CATELNO"_s, u"0120"_s}})});
        QCOMPARE(outcome.verification, LoggerOutcome::Verification::Differs);
        QCOMPARE(outcome.mismatches, (QList<ItemMismatch>{{item(u"CAPOPID"), u"unit7"_s, u"logger01"_s}}));
        QCOMPARE(outcome.error, u"1 item(s) did not read back as written"_s);
        QCOMPARE(*outcome.after->value(u"CATELNO"), u"0120"_s);

        // Without a read back, nothing tells.
        const LoggerOutcome unverified = write({outcome.before.value(), false, false});
        QVERIFY(unverified.succeeded());
        QCOMPARE(unverified.verification, LoggerOutcome::Verification::Skipped);
        QVERIFY(!unverified.after);
    }
};

QTEST_GUILESS_MAIN(TestCliWriting)
#include "tst_cli_writing.moc"
