#include "cli/provision_report.h"
#include "support/test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QTest>

using namespace Qt::StringLiterals;
using Verification = LoggerOutcome::Verification;

namespace {

// Three loggers: one written and verified, one whose password did not read back, one silent.
ProvisionRecord threeLoggers()
{
    LoggerOutcome verified;
    verified.port = u"COM1"_s;
    verified.model = u"GSN"_s;
    verified.before = settingsOf({{u"model"_s, u"GSN"_s}, {u"CAPOPID"_s, u"old"_s}, {u"CAPOPPASS"_s, u"secret1"_s}});
    verified.after = settingsOf({{u"model"_s, u"GSN"_s}, {u"CAPOPID"_s, u"unit1"_s}, {u"CAPOPPASS"_s, u"secret2"_s}});
    verified.changedItems = QList<int>{*SettingsItems::indexOf(u"CAPOPID"), *SettingsItems::indexOf(u"CAPOPPASS")};
    verified.verification = Verification::Verified;
    verified.seconds = 31.26;

    LoggerOutcome differs;
    differs.port = u"/dev/ttyUSB1"_s;
    differs.model = u"G4N"_s;
    differs.before = settingsOf({{u"CAPOPPASS"_s, QString()}});
    differs.after = settingsOf({{u"CAPOPPASS"_s, u"other"_s}});
    differs.changedItems = QList<int>{*SettingsItems::indexOf(u"CAPOPPASS")};
    differs.mismatches = {{*SettingsItems::indexOf(u"CAPOPPASS"), u"secret3"_s, u"other"_s}};
    differs.verification = Verification::Differs;
    differs.seconds = 29.0;
    differs.error = u"1 item did not read back as written"_s;

    LoggerOutcome silent;
    silent.port = u"COM3"_s;
    silent.seconds = 16.04;
    silent.error = u"no answer"_s;

    return {u"telvaro-cli 3.0"_s, u"template.txt"_s, {}, QDateTime(QDate(2026, 4, 1), QTime(9, 30), Qt::UTC),
            {verified, differs, silent}};
}

} // namespace

class TestProvisionReport : public QObject
{
    Q_OBJECT

private slots:
    void table_linesUpOneRowPerLogger()
    {
        const QString expected = u"PORT          MODEL  CHANGED  VERIFIED  SECONDS  ERROR\n"
                                 "COM1          GSN          2  yes          31.3\n"
                                 "/dev/ttyUSB1  G4N          1  NO           29.0  1 item did not read back as written\n"
                                 "COM3          -            -  -            16.0  no answer"_s;
        QCOMPARE(ProvisionReport::table(threeLoggers().loggers), expected);
    }

    void json_recordsEveryFact_withPasswordsMasked()
    {
        const QJsonObject report = QJsonDocument::fromJson(ProvisionReport::json(threeLoggers(), false)).object();
        QCOMPARE(report.value(u"started"_s).toString(), u"2026-04-01T09:30:00Z"_s);
        QCOMPARE(report.value(u"units"_s), QJsonValue(QJsonValue::Null));
        QCOMPARE(report.value(u"succeeded"_s), QJsonValue(false));

        const QJsonArray loggers = report.value(u"loggers"_s).toArray();
        QCOMPARE(loggers.size(), 3);
        const QJsonObject first = loggers.at(0).toObject();
        QCOMPARE(first.value(u"error"_s), QJsonValue(QJsonValue::Null));
        QCOMPARE(first.value(u"seconds"_s).toDouble(), 31.3);
        QCOMPARE(first.value(u"itemsChanged"_s).toArray(), (QJsonArray{u"CAPOPID"_s, u"CAPOPPASS"_s}));
        QCOMPARE(first.value(u"verification"_s).toString(), u"verified"_s);
        QCOMPARE(first.value(u"before"_s).toObject(),
                 (QJsonObject{{u"model"_s, u"GSN"_s}, {u"CAPOPID"_s, u"old"_s}, {u"CAPOPPASS"_s, u"********"_s}}));
        QCOMPARE(first.value(u"after"_s).toObject().value(u"CAPOPID"_s).toString(), u"unit1"_s);

        // An empty password shows as empty: that it is empty is no secret worth keeping.
        const QJsonObject second = loggers.at(1).toObject();
        QCOMPARE(second.value(u"before"_s).toObject().value(u"CAPOPPASS"_s).toString(), QString());
        QCOMPARE(second.value(u"notReadBack"_s).toArray(),
                 (QJsonArray{QJsonObject{{u"item"_s, u"CAPOPPASS"_s}, {u"written"_s, u"********"_s}, {u"readBack"_s, u"********"_s}}}));

        const QJsonObject third = loggers.at(2).toObject();
        QCOMPARE(third.value(u"error"_s).toString(), u"no answer"_s);
        for (const QString &key : {u"model"_s, u"itemsChanged"_s, u"before"_s, u"after"_s})
            QCOMPARE(third.value(key), QJsonValue(QJsonValue::Null));
        QCOMPARE(third.value(u"verification"_s).toString(), u"not reached"_s);
    }

    void json_showsPasswords_whenAsked()
    {
        const QByteArray json = ProvisionReport::json(threeLoggers(), true);
        QVERIFY(!json.contains("********"));
        QVERIFY(json.contains("\"secret1\""));
        QVERIFY(json.contains("\"secret3\""));
    }
};

QTEST_GUILESS_MAIN(TestProvisionReport)
#include "tst_provision_report.moc"
