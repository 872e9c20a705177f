#include "base/logger_models.h"
#include "files/alarm_scripts.h"
#include "base/run_time_error.h"
#include "files/mail_scripts.h"
#include "files/model_definition.h"
#include "files/model_table.h"
#include "settings/settings_items.h"
#include "simulator/logger_items.h"
#include "simulator/logger_settings.h"
#include "state/settings_state.h"
#include "support/test_files.h"
#include "text/cp932.h"

#include <QDir>
#include <QTest>

#include <algorithm>

namespace {

// The lines of a file whose every line ends in CR LF; a missing last line end fails the caller.
QList<QByteArray> crLfLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // what follows the last line end
    for (QByteArray &line : lines)
        line.chop(1);
    return lines;
}

QString fileOf(const LoggerModel &model)
{
    return QString::fromLatin1(model.definitionFile.data(), qsizetype(model.definitionFile.size()));
}

// The read script of a block as the item table has it: line n asks for the item at position n.
QByteArray readScriptOf(ItemBlock block)
{
    QList<QByteArray> lines(LoggerItems::itemsIn(block));
    for (int row = 0; row < LoggerItems::kRowCount; ++row) {
        const LoggerItems::Row &item = LoggerItems::kRows[std::size_t(row)];
        for (int i = 0; item.block == block && i < LoggerItems::itemsOf(item); ++i)
            lines[LoggerItems::firstPosition(row) + i - 1] = LoggerItems::nameOf(item, item.first + i).toLatin1() + '?';
    }
    return lines.join("\r\n") + "\r\n";
}

} // namespace

// The installation files beside the program, and their agreement with the simulated logger.
class TestInstallFiles : public QObject
{
    Q_OBJECT

private slots:
    // The installed read scripts ask for the items of the item table, each on the line of its
    // position, which is where the tool looks for its answer in the device image.
    void readScripts_askForTheItemTablesItemsInPositionOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ItemBlock>("block");
        QTest::newRow("channel block") << QStringLiteral("select.eep") << ItemBlock::Channel;
        QTest::newRow("mail block") << QStringLiteral("select01.eep") << ItemBlock::Mail;
        QTest::newRow("connection block") << QStringLiteral("select02.eep") << ItemBlock::Connection;
    }

    void readScripts_askForTheItemTablesItemsInPositionOrder()
    {
        QFETCH(QString, name);
        QFETCH(ItemBlock, block);
        const QByteArray bytes = installFile(name);
        QCOMPARE(bytes.count("\r\n"), LoggerItems::itemsIn(block));
        QCOMPARE(bytes, readScriptOf(block));
    }

    // A settings file's item is the answer to the line of its image entry, and the simulated
    // logger answers that line from a setting of its own.
    void readScriptLines_areTheSettingsItemsAtTheirEntries_andTheSimulatorHasThem_data()
    {
        readScripts_askForTheItemTablesItemsInPositionOrder_data();
    }

    void readScriptLines_areTheSettingsItemsAtTheirEntries_andTheSimulatorHasThem()
    {
        QFETCH(QString, name);
        QFETCH(ItemBlock, block);
        const QList<QByteArray> lines = crLfLines(installFile(name));
        qsizetype items = 0;
        for (const SettingsItem &item : SettingsItems::all()) {
            if (item.block != block)
                continue;
            ++items;
            QCOMPARE(lines.value(item.entry - 1), item.name.toLatin1() + '?');
        }
        QCOMPARE(items, lines.size());

        const QMap<QByteArray, QByteArray> settings = LoggerSettings::defaults();
        for (const QByteArray &line : lines) {
            const QByteArray item = line.chopped(1);
            QVERIFY2(loggerItem(LoggerShape{}, item) == LoggerItem::Present, line.constData());
            QVERIFY2(settings.contains(item), line.constData());
        }
    }

    // Every line of the four script files a write sends, with every row taking limits, sets an
    // item the simulated logger has and keeps.
    void writtenLines_setItemsTheSimulatorHas()
    {
        const AlarmScriptInputs alarm; // no flag is "0": every row takes limits
        const MailScriptInputs mail;
        const QList<ScriptLine> lines =
            armScriptLines(alarm) + armNetScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail);
        const QMap<QByteArray, QByteArray> settings = LoggerSettings::defaults();
        QCOMPARE(lines.size(), settings.size());
        for (const ScriptLine &line : lines) {
            const QByteArray item = line.key.chopped(1).toLatin1();
            QVERIFY2(loggerItem(LoggerShape{}, item) == LoggerItem::Present, item.constData());
            QVERIFY2(settings.contains(item), item.constData());
        }
    }

    // The models the tool has always known are all still in the table: a row lost from it would
    // take a model from the field silently.
    void models_haveTheirDefinitionFiles_data()
    {
        QTest::addColumn<QString>("code");
        for (const char16_t *code : {u"QAN", u"RIVON", u"BRK5N", u"LOXAN", u"PELTN", u"GARVN", u"VK8N",
                                     u"HK8N", u"G8N", u"G4N", u"GPN", u"GSN", u"PLHKN", u"NORDN",
                                     u"VOSPELTN"})
            QTest::newRow(QString::fromUtf16(code).toLatin1().constData()) << QString::fromUtf16(code);
    }

    // One line per channel, so the simulator's channel count and the screen agree.
    void models_haveTheirDefinitionFiles()
    {
        QFETCH(QString, code);
        const auto model = std::find_if(kLoggerModels.begin(), kLoggerModels.end(),
                                        [&code](const LoggerModel &row) { return QLatin1StringView(row.code.data(), qsizetype(row.code.size())) == code; });
        QVERIFY2(model != kLoggerModels.end(), "the model is in the table");
        const QString file = fileOf(*model);
        QCOMPARE(modelDefinitionFileFor(code), std::optional<QString>(file));
        const QByteArray bytes = installFile(file);
        QVERIFY2(bytes.endsWith("\r\n"), qPrintable(file));
        QCOMPARE(crLfLines(bytes).size(), model->channels);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    }

    void modelFiles_holdThreeCharacterCodesAndJapaneseNames_data()
    {
        QTest::addColumn<QString>("file");
        for (const LoggerModel &model : kLoggerModels)
            QTest::newRow(model.code.data()) << fileOf(model);
    }

    void modelFiles_holdThreeCharacterCodesAndJapaneseNames()
    {
        QFETCH(QString, file);
        const QByteArray bytes = installFile(file);
        const QString text = Cp932::decode(bytes);
        QVERIFY2(!text.contains(QChar::ReplacementCharacter), "valid code page 932");
        QCOMPARE(Cp932::encode(text), bytes);
        for (const QByteArray &line : crLfLines(bytes)) {
            const QStringList fields = Cp932::decode(line).split(QLatin1Char(','));
            QVERIFY2(fields.size() >= 4 && fields.size() <= 11, line.constData());
            for (const QString &option : fields.mid(3)) {
                const QStringList parts = option.split(QLatin1Char(';'));
                QCOMPARE(parts.size(), 4);
                QCOMPARE(parts.at(0).size(), 3);
                QVERIFY(parts.at(0) != QStringLiteral("127"));
                QVERIFY2(parts.at(1).contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{9FFF}]"))),
                         qPrintable(parts.at(1)));
            }
        }
    }

    void modelFiles_parseAndListTheirElementsWithoutGaps_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR))
                                      .entryList({QStringLiteral("Telvaro-*.ini")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files)
            QTest::newRow(file.toLatin1().constData()) << file;
    }

    // Parses, and lists its elements without gaps, so a list position always meets the field
    // that follows the one before it.
    void modelFiles_parseAndListTheirElementsWithoutGaps()
    {
        QFETCH(QString, file);
        SettingsState state;
        try {
            applyModelDefinition(state, installFile(file));
        } catch (const RunTimeError &error) {
            QFAIL(error.what());
        }
        QVERIFY(!state.ModelChLabel.at(0).isEmpty());
        for (int row = 0; row <= 16; ++row) {
            bool gapMet = false;
            for (int field = 3; field <= 10; ++field) {
                const bool named = !state.ModelItemName.at(row, field).isEmpty();
                QVERIFY2(!(named && gapMet), qPrintable(QStringLiteral("row %1, field %2").arg(row).arg(field)));
                gapMet = gapMet || !named;
            }
        }
    }

    // Some rows take alarm limits and some do not, so both kinds of row get exercised.
    void modelFiles_mixRowsWithAndWithoutAlarmLimits()
    {
        int withLimits = 0;
        int withoutLimits = 0;
        for (const LoggerModel &model : kLoggerModels) {
            for (const QByteArray &line : crLfLines(installFile(fileOf(model))))
                (line.split(',').value(1) == "0" ? withoutLimits : withLimits) += 1;
        }
        QVERIFY(withLimits > 0);
        QVERIFY(withoutLimits > 0);
    }
};

QTEST_GUILESS_MAIN(TestInstallFiles)
#include "tst_install_files.moc"
