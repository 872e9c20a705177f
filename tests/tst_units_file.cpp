#include "settings/units_file.h"
#include "support/telvaro_names.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Problem = UnitsFileError::Problem;

namespace {

struct Found
{
    int line;
    int column;
    Problem problem;
    QString name;
};

QList<Found> found(const UnitsFileContents &contents)
{
    QList<Found> list;
    for (const UnitsFileError &error : contents.errors)
        list.append({error.line, error.column, error.problem, error.name});
    return list;
}

bool operator==(const Found &a, const Found &b)
{
    return a.line == b.line && a.column == b.column && a.problem == b.problem && a.name == b.name;
}

char *toString(const Found &f)
{
    return qstrdup(qPrintable(u"line %1 column %2 problem %3 %4"_s.arg(f.line).arg(f.column).arg(int(f.problem)).arg(f.name)));
}

} // namespace

Q_DECLARE_METATYPE(QList<Found>)

class TestUnitsFile : public QObject
{
    Q_OBJECT

private slots:
    void goodFile_givesEachPortItsItems_withValuesKeptExactly()
    {
        // A spreadsheet's export: a byte-order mark, CR LF, an empty row of commas at the end.
        const QByteArray bytes = "\xEF\xBB\xBF" "port,CAPOPID,CAPOPPASS,CAFROMADDRESS\r\n"
                                 "COM1,unit1,\"pa,ss\"\"word\",東京@example.jp\r\n"
                                 "/dev/serial/by-id/usb-A , spaced ,\"\",b@example.jp\r\n"
                                 ",,,\r\n";
        const UnitsFileContents contents = parseUnitsFile(bytes);
        QCOMPARE(found(contents), QList<Found>());
        QCOMPARE(contents.units.size(), 2);

        const UnitRow &first = contents.units.at(0);
        QCOMPARE(first.line, 2);
        QCOMPARE(first.port, u"COM1"_s);
        QCOMPARE(first.settings.count(), 3);
        QCOMPARE(first.settings.value(u"CAPOPPASS"), u"pa,ss\"word"_s);
        QCOMPARE(first.settings.value(u"CAFROMADDRESS"), u"東京@example.jp"_s);

        const UnitRow &second = contents.units.at(1);
        QCOMPARE(second.port, u"/dev/serial/by-id/usb-A"_s);
        QCOMPARE(second.settings.value(u"CAPOPID"), u" spaced "_s);
        QCOMPARE(second.settings.value(u"CAPOPPASS"), QString()); // "" sets an empty value
        QVERIFY(second.settings.value(u"CAPOPPASS").has_value());
        QVERIFY(!second.settings.contains(SettingsItems::kModel));
    }

    void problems_nameTheirLineAndColumn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<Found>>("expected");

        QTest::newRow("empty cell") << QByteArray("port,CATELNO,CAPOPID\nCOM1,0901,a\nCOM2,,b\n")
                                    << QList<Found>{{3, 2, Problem::MissingValue, u"CATELNO"_s}};
        QTest::newRow("unknown item") << QByteArray("port,CAPOPPAS\nCOM1,x\n")
                                      << QList<Found>{{1, 2, Problem::UnknownItem, u"CAPOPPAS"_s}};
        QTest::newRow("model column") << QByteArray("port,model\nCOM1,GSN\n")
                                      << QList<Found>{{1, 2, Problem::NotWritable, u"model"_s}};
        QTest::newRow("repeated column") << QByteArray("port,CATELNO,CATELNO\nCOM1,1,2\n")
                                         << QList<Found>{{1, 3, Problem::RepeatedColumn, u"CATELNO"_s}};
        QTest::newRow("no port column") << QByteArray("CATELNO\n0901\n")
                                        << QList<Found>{{1, 0, Problem::NoPortColumn, {}}};
        QTest::newRow("nameless column") << QByteArray("port,,CATELNO\nCOM1,x,1\n")
                                         << QList<Found>{{1, 2, Problem::EmptyColumnName, {}}};
        QTest::newRow("row too short") << QByteArray("port,CATELNO,CAPOPID\nCOM1,0901\n")
                                       << QList<Found>{{2, 0, Problem::WrongCellCount, {}}};
        QTest::newRow("no port") << QByteArray("CATELNO,port\n0901, \n")
                                 << QList<Found>{{2, 2, Problem::NoPort, {}}};
        QTest::newRow("repeated port") << QByteArray("port,CATELNO\nCOM1,1\nCOM2,2\nCOM1,3\n")
                                       << QList<Found>{{4, 1, Problem::RepeatedPort, u"COM1"_s}};
        // A line end inside quotes is one value over two lines; the next row starts on line 4.
        QTest::newRow("line end in a value") << QByteArray("port,CAAPN\nCOM1,\"a\nb\"\nCOM2,\n")
                                             << QList<Found>{{2, 2, Problem::ControlCharacter, u"CAAPN"_s},
                                                             {4, 2, Problem::MissingValue, u"CAAPN"_s}};
        QTest::newRow("text after quote") << QByteArray("port,CAAPN\nCOM1,\"a\"b\n")
                                          << QList<Found>{{2, 2, Problem::TextAfterQuote, {}}};
        QTest::newRow("unclosed quote") << QByteArray("port,CAAPN\nCOM1,x\nCOM2,\"apn\n")
                                        << QList<Found>{{3, 2, Problem::UnclosedQuote, {}}};
        // Japanese spreadsheets save CSV in Shift_JIS unless told otherwise.
        QTest::newRow("shift_jis") << QByteArray("port,CAPOPID\nCOM1,\x93\x8c\x8b\x9e\n")
                                   << QList<Found>{{2, 0, Problem::NotUtf8, {}}};
        QTest::newRow("character cut short at the end") << QByteArray("port,CAAPN\nCOM1,apn\xE3\x81")
                                                       << QList<Found>{{2, 0, Problem::NotUtf8, {}}};
        QTest::newRow("nothing") << QByteArray("\n\n") << QList<Found>{{1, 0, Problem::NoHeader, {}}};
    }

    void problems_nameTheirLineAndColumn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<Found>, expected);
        QCOMPARE(found(parseUnitsFile(bytes)), expected);
    }

    void descriptions_sayWhereAndWhat()
    {
        const UnitsFileContents contents = parseUnitsFile("port,CATELNO\nCOM1,\nCOM1,2\n");
        QStringList texts;
        for (const UnitsFileError &error : contents.errors)
            texts.append(describe(error));
        QCOMPARE(texts, (QStringList{u"line 2, column 2 (CATELNO): no value (write \"\" for a value meant to be empty)"_s,
                                     u"line 3, column 1: port \"COM1\" already has the row on line 2"_s}));
    }
};

QTEST_GUILESS_MAIN(TestUnitsFile)
#include "tst_units_file.moc"
