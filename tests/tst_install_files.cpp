#include "base/logger_models.h"
#include "files/model_table.h"
#include "support/test_files.h"
#include "text/cp932.h"

#include <QTest>

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

QByteArray numbered(const char *prefix, int first, int last, const char *suffix)
{
    QByteArray bytes;
    for (int n = first; n <= last; ++n)
        bytes += prefix + QByteArray::number(n) + suffix + "\r\n";
    return bytes;
}

} // namespace

// The installation files beside the program, and their agreement with the simulated logger.
class TestInstallFiles : public QObject
{
    Q_OBJECT

private slots:
    void readScripts_askForEveryItemInImageOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("channel block") << QStringLiteral("select.eep")
                                       << numbered("mode", 0, 15, "?") + numbered("ALARM", 0, 31, "?");
        QTest::newRow("mail block") << QStringLiteral("select01.eep")
                                    << numbered("CAALARMADDRESS", 1, 6, "?") + numbered("CADATAADDRESS", 1, 6, "?");
        QTest::newRow("connection block")
            << QStringLiteral("select02.eep")
            << QByteArray("CALOGINID?\r\nCALOGINPASS?\r\nCATELNO?\r\nCAPOPID?\r\nCAPOPPASS?\r\n"
                          "CAPOPSERVER?\r\nCASMTPSERVER?\r\nCAFROMADDRESS?\r\nCADNS1?\r\nCADNS2?\r\n"
                          "CAAPN?\r\nCAAUTHTYPE?\r\n");
    }

    void readScripts_askForEveryItemInImageOrder()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QCOMPARE(installFile(name), bytes);
    }

    void models_haveTheirDefinitionFiles_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("channels");
        for (const LoggerModel &model : kLoggerModels) {
            const QByteArray code(model.code.data(), qsizetype(model.code.size()));
            QTest::newRow(code.constData()) << code << fileOf(model) << model.channels;
        }
    }

    // One line per channel, so the simulator's channel count and the screen agree.
    void models_haveTheirDefinitionFiles()
    {
        QFETCH(QByteArray, code);
        QFETCH(QString, file);
        QFETCH(int, channels);
        QCOMPARE(modelDefinitionFileFor(QString::fromLatin1(code)), std::optional<QString>(file));
        const QByteArray bytes = installFile(file);
        QVERIFY2(bytes.endsWith("\r\n"), qPrintable(file));
        QCOMPARE(crLfLines(bytes).size(), channels);
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
