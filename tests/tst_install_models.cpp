#include "files/model_table.h"
#include "files/model_definition.h"
#include "state/settings_state.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QDir installDir()
{
    return QDir(QStringLiteral(TELVARO_INSTALL_SOURCE_DIR));
}

} // namespace

class TestInstallModels : public QObject
{
    Q_OBJECT

private slots:
    void everyModelCode_namesAnInstalledFile_data()
    {
        QTest::addColumn<QString>("modelCode");
        for (const char16_t *code : {u"QAN", u"RIVON", u"BRK5N", u"LOXAN", u"PELTN", u"GARVN", u"VK8N",
                                     u"HK8N", u"G8N", u"G4N", u"GPN", u"GSN", u"PLHKN", u"NORDN",
                                     u"VOSPELTN"})
            QTest::newRow(QString::fromUtf16(code).toLatin1().constData()) << QString::fromUtf16(code);
    }

    void everyModelCode_namesAnInstalledFile()
    {
        QFETCH(QString, modelCode);
        const std::optional<QString> file = modelDefinitionFileFor(modelCode);
        QVERIFY(file.has_value());
        QVERIFY2(QFile::exists(installDir().filePath(*file)), qPrintable(*file));
    }

    void installedModelFile_parsesAndListsItsElementsWithoutGaps_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = installDir().entryList({u"Telvaro-*.ini"_s}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names)
            QTest::newRow(name.toLatin1().constData()) << name;
    }

    // Parses, and lists its elements without gaps, so a list position always meets the
    // field that follows the one before it.
    void installedModelFile_parsesAndListsItsElementsWithoutGaps()
    {
        QFETCH(QString, name);
        const QByteArray bytes = installFile(name);
        QVERIFY(!bytes.isEmpty());
        QVERIFY2(bytes.endsWith("\r\n"), "lines end in CR LF");
        SettingsState state;
        try {
            applyModelDefinition(state, bytes);
        } catch (const RunTimeError &error) {
            QFAIL(error.what());
        }
        QVERIFY(!state.ModelChLabel.at(0).isEmpty());
        for (int row = 0; row <= 16; ++row) {
            bool gapMet = false;
            for (int field = 3; field <= 10; ++field) {
                const bool named = !state.ModelItemName.at(row, field).isEmpty();
                QVERIFY2(!(named && gapMet), qPrintable(u"row %1, field %2"_s.arg(row).arg(field)));
                gapMet = gapMet || !named;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestInstallModels)
#include "tst_install_models.moc"
