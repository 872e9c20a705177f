#include "plan/write_plan.h"
#include "screen_files/settings_on_screen.h"
#include "support/read_screen.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Problem = ValueFinding::Problem;
using Source = ScreenOrigins::Source;

namespace {

using Items = QList<std::pair<QString, QString>>;
// The file opened over the logger's read, made from what the logger holds.
using FileOf = std::function<DeviceSettings(const DeviceSettings &logger)>;
using Edit = std::function<void(ReadScreen &)>;

QString nameOf(Problem problem)
{
    switch (problem) {
    case Problem::NotADecimalNumber: return u"NotADecimalNumber"_s;
    case Problem::LowerAboveUpper: return u"LowerAboveUpper"_s;
    case Problem::NotOneAtSign: return u"NotOneAtSign"_s;
    case Problem::NotAnIpv4Address: return u"NotAnIpv4Address"_s;
    case Problem::ElementNotOffered: return u"ElementNotOffered"_s;
    case Problem::NotAsGiven: return u"NotAsGiven"_s;
    case Problem::ChangedUnasked: return u"ChangedUnasked"_s;
    case Problem::Emptied: return u"Emptied"_s;
    }
    return {};
}

// "Emptied CALOGINID", in the plan's order.
QStringList findingsOf(const WritePlan &plan)
{
    QStringList found;
    for (const ValueFinding &finding : plan.findings)
        found.append(nameOf(finding.problem) + u' ' + finding.item);
    return found;
}

DeviceSettings withModel(DeviceSettings settings)
{
    settings.set(SettingsItems::kModel, u"GSN"_s);
    return settings;
}

FileOf fileOf(const Items &items)
{
    return [items](const DeviceSettings &) {
        DeviceSettings file;
        for (const auto &[name, value] : items)
            file.set(name, value);
        return file;
    };
}

// Every logger item given empty: a template nobody filled in.
DeviceSettings blankTemplate(const DeviceSettings &)
{
    DeviceSettings blank;
    for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item)
        blank.set(item, QString());
    return withModel(blank);
}

} // namespace

Q_DECLARE_METATYPE(FileOf)
Q_DECLARE_METATYPE(Edit)

// The write plan of a screen read from a logger, a file opened over it and the operator's edits:
// what goes out for each item, and what the operator is asked before.
class TestWritePlan : public QObject
{
    Q_OBJECT

private slots:
    void plan_data()
    {
        QTest::addColumn<Items>("logger");  // changes to loggerAnswers()
        QTest::addColumn<FileOf>("file");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Items>("sent");     // what goes out for some items
        QTest::addColumn<QStringList>("findings");

        const Edit none = [](ReadScreen &) {};
        QTest::newRow("a file just read, written back: the same values, no question")
            << Items{} << FileOf([](const DeviceSettings &logger) { return withModel(logger); }) << none
            << Items{{u"CALOGINID"_s, u"caloginid-value"_s}, {u"mode9"_s, u"004"_s}, {u"ALARM3"_s, u"3.5"_s}}
            << QStringList{};
        QTest::newRow("a blank template empties every item, each one asked about")
            << Items{{u"CATELNO"_s, QString()}} << FileOf(blankTemplate) << none
            << Items{{u"CALOGINPASS"_s, QString()}, {u"mode0"_s, QString()}, {u"ALARM0"_s, QString()}}
            << [] {
                   QStringList emptied;
                   for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item) {
                       const QString name = SettingsItems::at(item).name;
                       const bool lackedOrEmpty = name == u"CATELNO" || (name.startsWith(u"ALARM") && name.mid(5).toInt() >= 24);
                       if (!lackedOrEmpty)
                           emptied.append(u"Emptied "_s + name);
                   }
                   return emptied;
               }();
        QTest::newRow("\"???\" in a file keeps what the logger holds")
            << Items{} << fileOf({{u"CAAPN"_s, u"???"_s}, {u"mode2"_s, u"???"_s}, {u"CATELNO"_s, u"0120"_s}}) << none
            << Items{{u"CAAPN"_s, u"apn.example.jp"_s}, {u"mode2"_s, u"003"_s}, {u"CATELNO"_s, u"0120"_s}}
            << QStringList{};
        QTest::newRow("an address without \"@\" in the logger, a file of CAAPN only")
            << Items{{u"CAALARMADDRESS2"_s, u"alarm.example.jp"_s}} << fileOf({{u"CAAPN"_s, u"new.apn"_s}}) << none
            << Items{{u"CAALARMADDRESS2"_s, QString()}, {u"CAAPN"_s, u"new.apn"_s}}
            << QStringList{u"ChangedUnasked CAALARMADDRESS2"_s};
        QTest::newRow("an authentication type where the logger answers \"???\" for the APN")
            << Items{{u"CAAPN"_s, u"???"_s}} << fileOf({{u"CATELNO"_s, u"0120"_s}}) << none
            << Items{{u"CAAUTHTYPE"_s, QString()}} << QStringList{u"ChangedUnasked CAAUTHTYPE"_s};
        QTest::newRow("an element code the logger holds and the row does not offer")
            << Items{{u"mode5"_s, u"999"_s}} << fileOf({}) << none
            << Items{{u"mode5"_s, QString()}} << QStringList{u"ChangedUnasked mode5"_s};
        QTest::newRow("an element code a file gives and the row does not offer")
            << Items{} << fileOf({{u"mode5"_s, u"999"_s}, {u"mode6"_s, u"127"_s}}) << none
            << Items{{u"mode5"_s, u"002"_s}, {u"mode6"_s, u"127"_s}} << QStringList{u"ElementNotOffered mode5"_s};
        QTest::newRow("an address without \"@\" in a file: wrong, and it empties the logger's")
            << Items{} << fileOf({{u"CADATAADDRESS1"_s, u"nodomain"_s}}) << none << Items{{u"CADATAADDRESS1"_s, QString()}}
            << QStringList{u"NotOneAtSign CADATAADDRESS1"_s, u"Emptied CADATAADDRESS1"_s};
        QTest::newRow("wrong-looking values, as given or typed")
            << Items{} << fileOf({{u"CADNS1"_s, u"dns.example.jp"_s}})
            << Edit([](ReadScreen &s) { s.screen.channelRow(1).Text1().setText(u"1O"_s); })
            << Items{{u"ALARM2"_s, u"1O"_s}} << QStringList{u"NotADecimalNumber ALARM2"_s, u"NotAnIpv4Address CADNS1"_s};
        QTest::newRow("an item the logger lacks is never a wrong value")
            << Items{{u"CADNS2"_s, u"???"_s}} << fileOf({}) << none << Items{{u"CADNS2"_s, u"???"_s}} << QStringList{};
        QTest::newRow("full-width text: given or typed goes out narrowed unasked about; read, it is a change")
            << Items{{u"CAPOPID"_s, u"ＰＯＰ"_s}} << fileOf({{u"CALOGINID"_s, u"ＩＤ"_s}})
            << Edit([](ReadScreen &s) { s.screen.connection().Text3(2).setText(u"０１２０"_s); })
            << Items{{u"CALOGINID"_s, u"ID"_s}, {u"CATELNO"_s, u"0120"_s}, {u"CAPOPID"_s, u"POP"_s}}
            << QStringList{u"ChangedUnasked CAPOPID"_s};
        QTest::newRow("the operator empties a field")
            << Items{} << fileOf({}) << Edit([](ReadScreen &s) { s.screen.connection().Text3(0).setText(QString()); })
            << Items{{u"CALOGINID"_s, QString()}} << QStringList{u"Emptied CALOGINID"_s};
    }

    void plan()
    {
        QFETCH(Items, logger);
        QFETCH(FileOf, file);
        QFETCH(Edit, edit);
        QFETCH(Items, sent);
        QFETCH(QStringList, findings);

        DeviceSettings answers = loggerAnswers();
        for (const auto &[name, value] : logger)
            answers.set(name, value);
        ReadScreen s;
        s.showAsRead(answers);
        s.open(file(answers));
        edit(s);

        const WritePlan plan = planScreenWrite(s.state, s.screen, s.origins);
        QCOMPARE(findingsOf(plan), findings);
        for (const auto &[name, value] : sent) {
            const PlannedItem &planned = plan.item(*SettingsItems::indexOf(name));
            QCOMPARE(planned.sent, std::optional(value));
        }
    }

    // Where each value came from, and what the logger holds afterwards as far as the tool knows.
    void plannedItems_tellSourceAndAfter()
    {
        DeviceSettings answers = loggerAnswers();
        answers.set(u"CADNS2"_s, u"???"_s);
        ReadScreen s;
        s.showAsRead(answers);
        s.open(settingsOf({{u"CATELNO"_s, u"0120"_s}, {u"CADNS2"_s, u"10.0.0.1"_s}}));
        s.screen.connection().Text3(0).setText(u"typed"_s);
        const WritePlan plan = planScreenWrite(s.state, s.screen, s.origins);

        const auto item = [&plan](QStringView name) { return plan.item(*SettingsItems::indexOf(name)); };
        QCOMPARE(item(u"CATELNO").source, Source::File);
        QCOMPARE(item(u"CALOGINID").source, Source::Edit);
        QCOMPARE(item(u"CAPOPID").source, Source::Read);
        QCOMPARE(item(u"CATELNO").held, std::optional(u"catelno-value"_s));
        QCOMPARE(item(u"CATELNO").after, std::optional(u"0120"_s));
        // The logger lacks it: the value given is left out, and the logger keeps its answer.
        QCOMPARE(item(u"CADNS2").after, std::optional(u"???"_s));
        // No row of the model takes these limits: nothing goes out for them.
        QCOMPARE(item(u"ALARM30").sent, std::nullopt);
        QCOMPARE(plan.after.value(u"ALARM30"), std::optional(u"???"_s));
        QCOMPARE(plan.after.value(SettingsItems::kModel), std::optional(u"GSN"_s));
    }

    // `check` judges a file as a write of it over a read of its model does, before sending.
    void fileAlone_isJudgedAsItsWriteIs()
    {
        const DeviceSettings file = withModel(settingsOf({{u"mode1"_s, u"999"_s}, {u"ALARM0"_s, u"5"_s}, {u"ALARM1"_s, u"-5"_s},
                                                          {u"CAALARMADDRESS3"_s, u"nodomain"_s}, {u"CADNS1"_s, u"1.2.3"_s},
                                                          {u"CAFROMADDRESS"_s, u"a@b@c"_s}, {u"CAPOPID"_s, u"???"_s}}));
        ReadScreen s;
        s.showAsRead(loggerAnswers());
        s.open(file);
        QStringList written;
        for (const ValueFinding &finding : planScreenWrite(s.state, s.screen, s.origins).findings) {
            if (isWrongValue(finding))
                written.append(nameOf(finding.problem) + u' ' + finding.item);
        }
        const QStringList checked = findingsOf(planFileWrite(file, s.state, u"file.txt"_s));
        QCOMPARE(checked, written);
        QCOMPARE(checked, (QStringList{u"LowerAboveUpper ALARM0"_s, u"ElementNotOffered mode1"_s, u"NotOneAtSign CAALARMADDRESS3"_s,
                                       u"NotOneAtSign CAFROMADDRESS"_s, u"NotAnIpv4Address CADNS1"_s}));
    }

    // Before any read, a save keeps only what files gave or the operator typed.
    void saveBeforeRead_keepsOnlyWhatWasGiven()
    {
        ReadScreen fresh;
        QCOMPARE(settingsToSave(fresh.state, fresh.screen, fresh.origins), DeviceSettings());

        fresh.open(settingsOf({{u"CAAPN"_s, u"apn.example.jp"_s}, {u"CADATAADDRESS2"_s, u"data@example.jp"_s}}));
        fresh.screen.connection().Text3(2).setText(u"0120"_s);
        QCOMPARE(settingsToSave(fresh.state, fresh.screen, fresh.origins),
                 settingsOf({{u"CATELNO"_s, u"0120"_s}, {u"CADATAADDRESS2"_s, u"data@example.jp"_s}, {u"CAAPN"_s, u"apn.example.jp"_s}}));
        QVERIFY2(fresh.origins.description().contains(u"file.txt"_s), qPrintable(fresh.origins.description()));
        QVERIFY(fresh.origins.description().contains(u"ロガーからは読み込んでいません"_s));

        // A file of a model brings the model, which a save keeps too.
        fresh.open(settingsOf({{u"model"_s, u"GSN"_s}, {u"channels"_s, u"16"_s}, {u"ALARM0"_s, u"-5"_s}}));
        const DeviceSettings saved = settingsToSave(fresh.state, fresh.screen, fresh.origins);
        QCOMPARE(saved.value(SettingsItems::kModel), std::optional(u"GSN"_s));
        QCOMPARE(saved.value(u"ALARM0"), std::optional(u"-5"_s));
        QCOMPARE(saved.count(), 6);
    }
};

QTEST_GUILESS_MAIN(TestWritePlan)
#include "tst_write_plan.moc"
