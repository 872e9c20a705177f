#include "screen_files/settings_on_screen.h"
#include "settings/settings_file.h"
#include "support/read_screen.h"
#include "support/test_files.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ChannelItems = SettingsOpened::ChannelItems;


class TestSettingsOpening : public QObject
{
    Q_OBJECT

private slots:
    void openedFile_replacesTheItemsItGives_andKeepsWhatTheScreenShows()
    {
        ReadScreen s;
        s.showAsRead(loggerAnswers());
        s.screen.connection().Text3(0).setText(u"typed, not yet written"_s);
        s.screen.channelRow(5).Text2().setText(u"７７"_s);

        s.open(settingsOf({{u"model"_s, u"GSN"_s}, {u"mode1"_s, u"002"_s}, {u"ALARM0"_s, u"-5"_s},
                           {u"CADATAADDRESS2"_s, u"new@example.jp"_s}, {u"CAAPN"_s, u"other.apn"_s}}));

        const ChannelRow &row1 = s.screen.channelRow(1);
        QCOMPARE(s.state.ChannelCode.at(1), u"002"_s);
        QCOMPARE(row1.Combo1().editText(), u"湿度"_s);
        QCOMPARE(row1.Label2().caption(), u"%RH"_s);
        QCOMPARE(s.screen.channelRow(0).Text1().text(), u"-5"_s);
        QCOMPARE(s.screen.channelRow(0).Text2().text(), u"1.5"_s);
        QCOMPARE(s.screen.dataAddresses().Text5(1).text(), u"new@example.jp"_s);
        QCOMPARE(s.screen.connection().Text3(10).text(), u"other.apn"_s);
        // What the file does not give stays exactly as the screen showed it: a write narrows it.
        QCOMPARE(s.screen.connection().Text3(0).text(), u"typed, not yet written"_s);
        QCOMPARE(s.screen.channelRow(5).Text2().text(), u"７７"_s);
        QCOMPARE(s.screen.authType().setObserbox().editText(), s.state.AuthNames.at(2));
        QVERIFY(s.questions.isEmpty());
    }

    // Opening a file is no read: a write stays out of reach until a logger has been read.
    void commandButtons_stayAsTheyWere()
    {
        ReadScreen fresh;
        const QList<bool> beforeAnyRead = fresh.commandsEnabled();
        QVERIFY(!beforeAnyRead.at(CommandControls::Write));
        DeviceSettings file = loggerAnswers();
        file.set(SettingsItems::kModel, u"GSN"_s);
        fresh.open(file);
        QCOMPARE(fresh.commandsEnabled(), beforeAnyRead);
        QCOMPARE(fresh.screen.connection().Text3(10).text(), u"apn.example.jp"_s);

        ReadScreen read;
        read.showAsRead(loggerAnswers());
        const QList<bool> afterRead = read.commandsEnabled();
        QVERIFY(afterRead.at(CommandControls::Write));
        read.open(file);
        QCOMPARE(read.commandsEnabled(), afterRead);
    }

    void channelItems_dependOnTheModel_data()
    {
        QTest::addColumn<QString>("screenModel"); // empty: no read yet
        QTest::addColumn<QString>("fileModel");   // empty: the file names none
        QTest::addColumn<bool>("withChannelItems");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("brokenDefinition");
        QTest::addColumn<int>("fate");
        QTest::addColumn<bool>("asked");

        const int applied = int(ChannelItems::Applied);
        QTest::newRow("same model") << u"GSN"_s << u"GSN"_s << true << false << QString() << applied << false;
        QTest::newRow("file names no model") << u"GSN"_s << QString() << true << false << QString() << applied << false;
        QTest::newRow("other model, yes") << u"GSN"_s << u"G4N"_s << true << true << QString() << applied << true;
        QTest::newRow("other model, no") << u"GSN"_s << u"G4N"_s << true << false << QString()
                                         << int(ChannelItems::Declined) << true;
        QTest::newRow("other model, no channel items") << u"GSN"_s << u"G4N"_s << false << false << QString()
                                                       << int(ChannelItems::NoneGiven) << false;
        QTest::newRow("before a read, the file's model") << QString() << u"GSN"_s << true << false << QString()
                                                         << applied << false;
        QTest::newRow("before a read, no model") << QString() << QString() << true << false << QString()
                                                 << int(ChannelItems::NoModelKnown) << false;
        QTest::newRow("before a read, unknown model") << QString() << u"XYZN"_s << true << false << QString()
                                                      << int(ChannelItems::UnknownModel) << false;
        QTest::newRow("before a read, definition missing") << QString() << u"GSN"_s << true << false << u"missing"_s
                                                           << int(ChannelItems::DefinitionMissing) << false;
        QTest::newRow("before a read, definition broken") << QString() << u"GSN"_s << true << false << u"broken"_s
                                                          << int(ChannelItems::DefinitionUnusable) << false;
    }

    void channelItems_dependOnTheModel()
    {
        QFETCH(QString, screenModel);
        QFETCH(QString, fileModel);
        QFETCH(bool, withChannelItems);
        QFETCH(bool, answer);
        QFETCH(QString, brokenDefinition);
        QFETCH(int, fate);
        QFETCH(bool, asked);

        ReadScreen s;
        if (!screenModel.isEmpty())
            s.showAsRead(loggerAnswers(), screenModel);
        const QString definition = s.folder.filePath(u"Telvaro-GS-N.ini"_s);
        if (brokenDefinition == u"missing")
            QVERIFY(QFile::remove(definition));
        else if (brokenDefinition == u"broken")
            s.folder.writeFile(u"Telvaro-GS-N.ini"_s, "1,1\r\n"); // fewer than three fields
        const QString limitBefore = s.screen.channelRow(0).Text1().text();

        DeviceSettings file = settingsOf({{u"CAAPN"_s, u"file.apn"_s}});
        if (!fileModel.isEmpty()) {
            file.set(SettingsItems::kModel, fileModel);
            file.set(SettingsItems::kChannels, u"4"_s);
        }
        if (withChannelItems)
            file.set(u"ALARM0", u"-42"_s);
        const SettingsOpened opened = s.open(file, answer);

        QCOMPARE(int(opened.channelItems), fate);
        QCOMPARE(s.questions.isEmpty(), !asked);
        if (asked)
            QCOMPARE(s.questions, QStringList{fileModel + u" on "_s + screenModel});
        QCOMPARE(s.screen.connection().Text3(10).text(), u"file.apn"_s); // applied either way
        const bool limitApplied = fate == int(ChannelItems::Applied) && withChannelItems;
        QCOMPARE(s.screen.channelRow(0).Text1().text(), limitApplied ? u"-42"_s : limitBefore);
        if (fate == int(ChannelItems::DefinitionMissing) || fate == int(ChannelItems::DefinitionUnusable))
            QCOMPARE(opened.definitionFile, definition);
        if (fate == int(ChannelItems::DefinitionUnusable))
            QVERIFY(!opened.reason.isEmpty());
        // The screen's model is the read's; before any read, the file's once its rows are shown.
        const bool modelTaken = screenModel.isEmpty() && limitApplied;
        QCOMPARE(s.state.ModelCode, modelTaken ? std::optional(fileModel) : (screenModel.isEmpty() ? std::nullopt : std::optional(screenModel)));
        if (modelTaken) {
            QCOMPARE(s.state.ChannelsAnswer, std::optional(u"4"_s));
            QCOMPARE(s.screen.channelRow(0).Label1().caption(), u"1"_s);
            QVERIFY(!s.screen.channelRow(12).Text1().isEnabled()); // GSN row 12 takes no limits
        } else if (screenModel.isEmpty()) {
            QVERIFY(s.state.ModelIniPath.isEmpty()); // no half-loaded model either
            QCOMPARE(s.state.ModelChLabel.at(0), QString());
        }
    }

    // What a file saved from the screen holds is what opening it shows: saving again gives the
    // same bytes, values exactly as shown. Onto a screen read from another logger, an item the
    // file gives as "???" keeps the value read, so that a write leaves it as that logger holds it.
    void saveOpenSave_givesTheSameFile_data()
    {
        QTest::addColumn<bool>("ontoAReadScreen");
        QTest::newRow("onto a screen read from another logger") << true;
        QTest::newRow("onto the screen of a fresh start") << false;
    }

    void saveOpenSave_givesTheSameFile()
    {
        QFETCH(bool, ontoAReadScreen);
        ReadScreen saved;
        DeviceSettings answers = loggerAnswers();
        answers.set(u"mode3", u"???"_s);          // an absent channel
        answers.set(u"CALOGINID", u"ＩＤ　全角"_s); // sent narrowed, shown as it is
        answers.set(u"CAPOPSERVER", u"pop=server"_s);
        saved.showAsRead(answers);
        saved.screen.channelRow(2).Text2().setText(u"温度=高"_s);
        const QByteArray file = settingsFileBytes(settingsOnScreen(saved.state, saved.screen));
        QVERIFY(file.contains("CALOGINID=ＩＤ　全角\r\n"));
        QVERIFY(file.contains("mode3=???\r\n"));
        QVERIFY(file.startsWith("model=GSN\r\nchannels=16\r\nmode0=001\r\n"));

        ReadScreen opened;
        QByteArray expected = file;
        if (ontoAReadScreen) {
            DeviceSettings other = loggerAnswers();
            for (int item = 2; item < SettingsItems::kCount; ++item)
                other.set(item, *other.value(item) + u"x"_s);
            opened.showAsRead(other);
            expected.replace("mode3=???\r\n", "mode3=004\r\n");
            for (int n = 24; n < 32; ++n) // the limits of no row keep the answers read
                expected.replace("ALARM" + QByteArray::number(n) + "=???\r\n", "ALARM" + QByteArray::number(n) + "=???x\r\n");
        }
        const SettingsFileContents contents = parseSettingsFile(file);
        QVERIFY(contents.errors.isEmpty());
        const SettingsOpened fate = opened.open(contents.settings);
        QCOMPARE(int(fate.channelItems), int(ChannelItems::Applied));
        QCOMPARE(settingsFileBytes(settingsOnScreen(opened.state, opened.screen)).split('\n'), expected.split('\n'));
        QCOMPARE(opened.screen.channelRow(3).Combo1().isEnabled(), ontoAReadScreen);
        // Nothing differs between the screen and the file just opened, but for what the file says
        // its logger lacked and the screen keeps as read.
        QStringList differing;
        for (const ItemDifference &difference : differencesFromScreen(contents.settings, opened.state, opened.screen))
            differing.append(difference.name);
        QStringList lacked;
        if (ontoAReadScreen) {
            lacked.append(u"mode3"_s);
            for (int n = 24; n < 32; ++n)
                lacked.append(u"ALARM%1"_s.arg(n));
        }
        QCOMPARE(differing, lacked);
    }

    void differences_areTheFilesItemsThatDiffer()
    {
        ReadScreen s;
        s.showAsRead(loggerAnswers());
        s.screen.connection().Text3(1).setText(u"edited"_s);
        const DeviceSettings file = settingsOf({{u"model"_s, u"G4N"_s},
                                                {u"ALARM2"_s, u"-2.5"_s},      // as shown
                                                {u"ALARM3"_s, u"99"_s},
                                                {u"CALOGINPASS"_s, u"calin"_s},
                                                {u"CAAPN"_s, u"apn.example.jp"_s}});

        const QList<ItemDifference> differences = differencesFromScreen(file, s.state, s.screen);
        QStringList rows;
        for (const ItemDifference &d : differences)
            rows.append(u"%1|%2|%3"_s.arg(d.caption, d.left.value_or(u"-"_s), d.right.value_or(u"-"_s)));
        QCOMPARE(rows, (QStringList{u"model code|GSN|G4N"_s, u"警報上限値 2|3.5|99"_s, u"LoginPass|edited|calin"_s}));
    }
};

QTEST_GUILESS_MAIN(TestSettingsOpening)
#include "tst_settings_opening.moc"
