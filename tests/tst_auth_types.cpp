#include "files/auth_types.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"
#include "text/cp932.h"

#include <QTest>

using Codes = QList<int>;

class TestAuthTypes : public QObject
{
    Q_OBJECT

private:
    static void compareWithParsedRow()
    {
        QFETCH(QString, text);
        QFETCH(Codes, codes);
        QFETCH(QStringList, names);
        const AuthTypeList list = parseAuthTypes(Cp932::encode(text));
        for (int k = 0; k < AuthTypeList::kEntries; ++k) {
            QCOMPARE(list.codes[k], codes.at(k));
            QCOMPARE(list.names[k], names.at(k));
        }
    }

private slots:
    void parse_fillsOneEntryPerLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Codes>("codes");
        QTest::addColumn<QStringList>("names");
        const QString none;

        QTest::newRow("four types") << QStringLiteral("0,なし\r\n1,PAP\r\n2,CHAP\r\n3,PAP/CHAP\r\n")
                                    << Codes{0, 1, 2, 3}
                                    << QStringList{QStringLiteral("なし"), QStringLiteral("PAP"),
                                                   QStringLiteral("CHAP"), QStringLiteral("PAP/CHAP")};
        QTest::newRow("two lines") << QStringLiteral("1,A\r\n2,B\r\n") << Codes{1, 2, 0, 0}
                                   << QStringList{QStringLiteral("A"), QStringLiteral("B"), none, none};
        QTest::newRow("last line without line end") << QStringLiteral("1,A\r\n2,B") << Codes{1, 2, 0, 0}
                                                    << QStringList{QStringLiteral("A"), QStringLiteral("B"), none, none};
        QTest::newRow("bare line feeds") << QStringLiteral("1,A\n2,B\n") << Codes{1, 2, 0, 0}
                                         << QStringList{QStringLiteral("A"), QStringLiteral("B"), none, none};
        QTest::newRow("third field ignored") << QStringLiteral("3,CHAP,extra\r\n") << Codes{3, 0, 0, 0}
                                             << QStringList{QStringLiteral("CHAP"), none, none, none};
        QTest::newRow("spaces around the name kept") << QStringLiteral("1, PAP \r\n") << Codes{1, 0, 0, 0}
                                                     << QStringList{QStringLiteral(" PAP "), none, none, none};
        QTest::newRow("negative code and spaced code") << QStringLiteral("-5,N\r\n 7 ,S\r\n") << Codes{-5, 7, 0, 0}
                                                       << QStringList{QStringLiteral("N"), QStringLiteral("S"), none, none};
        QTest::newRow("empty file") << QString() << Codes{0, 0, 0, 0} << QStringList{none, none, none, none};
    }

    void parse_fillsOneEntryPerLine() { compareWithParsedRow(); }

    // A malformed line spoils only its own entry; the others keep their lines, in file order.
    void parse_malformedLines_leaveTheirEntryEmpty_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Codes>("codes");
        QTest::addColumn<QStringList>("names");
        const QString none;

        QTest::newRow("blank line") << QStringLiteral("1,A\r\n\r\n3,C\r\n") << Codes{1, 0, 3, 0}
                                    << QStringList{QStringLiteral("A"), none, QStringLiteral("C"), none};
        QTest::newRow("no comma") << QStringLiteral("PAP\r\n2,B\r\n") << Codes{0, 2, 0, 0}
                                  << QStringList{none, QStringLiteral("B"), none, none};
        QTest::newRow("code not a number") << QStringLiteral("x,PAP\r\n2,B\r\n") << Codes{0, 2, 0, 0}
                                           << QStringList{none, QStringLiteral("B"), none, none};
        QTest::newRow("code not whole") << QStringLiteral("1.5,PAP\r\n") << Codes{0, 0, 0, 0}
                                        << QStringList{none, none, none, none};
        QTest::newRow("code above 16 bits") << QStringLiteral("32768,X\r\n32767,Y\r\n") << Codes{0, 32767, 0, 0}
                                            << QStringList{none, QStringLiteral("Y"), none, none};
        QTest::newRow("code below 16 bits") << QStringLiteral("-32769,X\r\n-32768,Y\r\n") << Codes{0, -32768, 0, 0}
                                            << QStringList{none, QStringLiteral("Y"), none, none};
        QTest::newRow("more than four lines")
            << QStringLiteral("1,A\r\n2,B\r\n3,C\r\n4,D\r\n5,E\r\n6,F\r\n") << Codes{1, 2, 3, 4}
            << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    }

    void parse_malformedLines_leaveTheirEntryEmpty() { compareWithParsedRow(); }

    void load_readsTheInstalledListFromTheProgramFolder()
    {
        const TempAppFolder folder({QStringLiteral("auth.ini")});
        // The installed file is code page 932 with CR LF line ends.
        QCOMPARE(folder.readFile(QStringLiteral("auth.ini")),
                 QByteArray("0,\x82\xc8\x82\xb5\r\n1,PAP\r\n2,CHAP\r\n3,PAP/CHAP\r\n"));

        SettingsState state;
        LoadAuthTypes(state, folder.appFolder());
        const QStringList names{QStringLiteral("なし"), QStringLiteral("PAP"), QStringLiteral("CHAP"),
                                QStringLiteral("PAP/CHAP")};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(state.AuthCodes.at(k), qint16(k));
            QCOMPARE(state.AuthNames.at(k), names.at(k));
        }
    }

    void load_withoutFile_leavesTheListsAsTheyAre()
    {
        const TempAppFolder folder;
        SettingsState state;
        state.AuthCodes.at(1) = 9;
        state.AuthNames.at(1) = QStringLiteral("kept");
        LoadAuthTypes(state, folder.appFolder());
        QCOMPARE(state.AuthCodes.at(1), qint16(9));
        QCOMPARE(state.AuthNames.at(1), QStringLiteral("kept"));
        QCOMPARE(state.AuthNames.at(0), QString());
    }

    void load_shortFile_setsTheEntriesWithoutLinesToEmpty()
    {
        const TempAppFolder folder;
        folder.writeFile(QStringLiteral("auth.ini"), QByteArray("1,A\r\n2,B\r\n"));
        SettingsState state;
        state.AuthCodes.at(3) = 9;
        state.AuthNames.at(3) = QStringLiteral("old");
        LoadAuthTypes(state, folder.appFolder());
        QCOMPARE(state.AuthCodes.at(1), qint16(2));
        QCOMPARE(state.AuthNames.at(1), QStringLiteral("B"));
        QCOMPARE(state.AuthCodes.at(3), qint16(0));
        QCOMPARE(state.AuthNames.at(3), QString());
    }
};

QTEST_GUILESS_MAIN(TestAuthTypes)
#include "tst_auth_types.moc"
