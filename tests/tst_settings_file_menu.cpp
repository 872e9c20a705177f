#include "model/channel_row_editing.h"
#include "settings/settings_file.h"
#include "support/test_files.h"
#include "text/narrowing.h"
#include "support/widgets/logger_bench.h"
#include "support/widgets/scripted_operator.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

class TestSettingsFileMenu : public QObject
{
    Q_OBJECT

private slots:
    // A file saved after a read holds the logger's answers; opened and saved again, the same items,
    // the first line saying where they came from.
    void readSaveOpenSave_keepsTheAnswersRead_byteForByte()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen({bench.path(u"first.txt"_s), bench.path(u"first.txt"_s), bench.path(u"second.txt"_s)});
        QVERIFY(bench.read());

        bench.choose("mnu_FileSave");
        const DeviceSettings saved = bench.settingsIn(u"first.txt"_s);
        QCOMPARE(saved.count(), SettingsItems::kCount);
        QCOMPARE(saved.value(SettingsItems::kModel), std::optional(u"GSN"_s));
        QCOMPARE(saved.value(SettingsItems::kChannels), std::optional(u"16"_s)); // the answer to "EERC9"
        for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item) {
            const QString &name = SettingsItems::at(item).name;
            QCOMPARE(saved.value(item), std::optional(bench.logger().value(name)));
        }

        bench.choose("mnu_FileOpen");
        bench.choose("mnu_FileSave");
        QList<QByteArray> first = bench.readFile(u"first.txt"_s).split('\n');
        QList<QByteArray> second = bench.readFile(u"second.txt"_s).split('\n');
        const QString read = QString::fromUtf8(first.takeFirst());
        const QString readAndOpened = QString::fromUtf8(second.takeFirst());
        QVERIFY2(read.startsWith(u"# 機種 GSN のロガーから "_s) && read.endsWith(u" に読み込んだ設定\r"_s), qPrintable(read));
        QCOMPARE(readAndOpened, read.chopped(1) + u"、設定ファイル %1 を開いた設定\r"_s.arg(QDir::toNativeSeparators(bench.path(u"first.txt"_s))));
        QCOMPARE(second, first);
        QCOMPARE(operatorAtTheScreen.fileDialogs(), 3);
        QVERIFY(operatorAtTheScreen.boxes().isEmpty());
    }

    // A dialog starts where the last file was, however it was chosen; a save suggests the model and
    // the day; the file last used is named in the status bar; a file without items says so.
    void fileDialogs_rememberTheFolder_suggestAName_andNameTheFileUsed()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        QTemporaryDir elsewhere;
        const QString typed = writeFile(elsewhere.filePath(u"apn.txt"_s), "CAAPN=other.apn\r\n");
        bench.writeFile(u"comments.txt"_s, "# nothing but this\r\n\r\n");
        ScriptedOperator operatorAtTheScreen({typed, bench.path(u"comments.txt"_s), bench.path(u"saved.txt"_s)});
        QVERIFY(bench.read());
        const QLabel *used = bench.window().findChild<QLabel *>(u"SettingsFileLabel"_s);

        bench.choose("mnu_FileOpen");
        QCOMPARE(used->toolTip(), QDir::toNativeSeparators(typed));
        bench.choose("mnu_FileOpen");
        bench.choose("mnu_FileSave");

        const QList<ScriptedOperator::SeenFileDialog> &dialogs = operatorAtTheScreen.fileDialogsSeen();
        QCOMPARE(dialogs.size(), 3);
        QCOMPARE(dialogs.at(1).folder, QFileInfo(elsewhere.path()).absoluteFilePath());
        QCOMPARE(dialogs.at(2).suggested, u"GSN_%1.txt"_s.arg(QDate::currentDate().toString(u"yyyyMMdd"_s)));
        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        QVERIFY2(operatorAtTheScreen.boxes().first().text.contains(u"には設定の項目がありません"_s),
                 qPrintable(operatorAtTheScreen.boxes().first().text));
        QCOMPARE(bench.controls().Text3.at(10)->text(), u"other.apn"_s);
        QCOMPARE(used->toolTip(), QDir::toNativeSeparators(bench.path(u"saved.txt"_s)));
        QVERIFY(used->text().contains(u"saved"_s));
    }

#ifdef Q_OS_UNIX
    // A pipe is neither opened (it would hold the window up) nor saved into, and nothing is made
    // beside it; a new name without a suffix gets ".txt".
    void pipesAndNewNames_openAndSaveAsAFileWould()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        const QString pipe = bench.path(u"pipe"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        ScriptedOperator operatorAtTheScreen({pipe, pipe, bench.path(u"named"_s)}, true); // "はい": replace it
        bench.choose("mnu_FileOpen");
        bench.choose("mnu_FileSave");
        bench.choose("mnu_FileSave");

        QStringList reasons;
        for (const ScriptedOperator::SeenBox &box : operatorAtTheScreen.boxes()) {
            if (!box.question)
                reasons.append(box.informative);
        }
        QCOMPARE(reasons, (QStringList{u"通常のファイルではありません。"_s, u"通常のファイルではありません"_s}));
        QVERIFY(!QFileInfo::exists(pipe + u".txt"_s));
        QVERIFY(QFileInfo(bench.path(u"named.txt"_s)).isFile());
    }
#endif

    // Before any read there is nothing to save but a line that says so: no empty placeholders.
    void saveBeforeAnyRead_savesNoItems()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen({bench.path(u"nothing.txt"_s)});
        bench.choose("mnu_FileSave");
        QCOMPARE(bench.readFile(u"nothing.txt"_s), "# 画面に入力した設定 (ロガーからは読み込んでいません)\r\n");
    }

    // What the screen showed goes to a file, comes back onto a changed screen, and is written.
    void windowFileWindow_writesTheSavedSettings()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen({bench.path(u"kept.txt"_s), bench.path(u"kept.txt"_s)});
        const ScreenControls &c = bench.controls();
        QVERIFY(bench.read());
        pickChannelElement(bench.fixture().state(), bench.fixture().screen(), 3, 2);
        const QString element = bench.fixture().state().ChannelCode.at(3);
        c.Text1.at(0)->setText(u"－１２．５"_s);
        c.Text5.at(2)->setText(u"new@example.jp"_s);
        bench.choose("mnu_FileSave");

        c.Text1.at(0)->setText(u"1"_s);
        c.Text5.at(2)->clear();
        pickChannelElement(bench.fixture().state(), bench.fixture().screen(), 3, 1);
        QVERIFY(bench.write());
        QCOMPARE(bench.logger().value(u"ALARM0"_s), u"1"_s);

        bench.choose("mnu_FileOpen");
        QCOMPARE(c.Text1.at(0)->text(), u"－１２．５"_s); // as saved: the write narrows it
        QCOMPARE(c.Text5.at(2)->text(), u"new@example.jp"_s);
        QCOMPARE(bench.fixture().state().ChannelCode.at(3), element);
        QVERIFY(c.Command1.at(1)->isEnabled());
        QVERIFY(bench.write());
        const DeviceSettings kept = bench.settingsIn(u"kept.txt"_s);
        for (int item = SettingsItems::kChannels + 1; item < SettingsItems::kCount; ++item) {
            const QString &name = SettingsItems::at(item).name;
            QCOMPARE(bench.logger().value(name), narrowed(*kept.value(item)));
        }
        QCOMPARE(operatorAtTheScreen.boxTexts(), (QStringList{u"設定の書き込みに成功しました。"_s, u"設定の書き込みに成功しました。"_s}));
    }

    void otherModelsFile_asksBeforeItsChannelItems_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("lowerLimit");
        QTest::newRow("はい") << true << u"-42"_s;
        QTest::newRow("いいえ") << false << u"-10.0"_s;
    }

    void otherModelsFile_asksBeforeItsChannelItems()
    {
        QFETCH(bool, yes);
        QFETCH(QString, lowerLimit);
        LoggerBench bench;
        QVERIFY(bench.isValid());
        bench.writeFile(u"g4.txt"_s, "model=G4N\r\nALARM0=-42\r\nCAAPN=other.apn\r\n");
        ScriptedOperator operatorAtTheScreen({bench.path(u"g4.txt"_s)}, yes);
        QVERIFY(bench.read());

        bench.choose("mnu_FileOpen");
        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        const ScriptedOperator::SeenBox &question = operatorAtTheScreen.boxes().first();
        QVERIFY(question.question);
        QVERIFY(question.noIsDefault);
        QCOMPARE(question.text, u"設定ファイル「%1」は機種 G4N の設定です。画面は機種 GSN の設定です。"_s
                                    .arg(QDir::toNativeSeparators(bench.path(u"g4.txt"_s))));
        QCOMPARE(bench.controls().Text1.at(0)->text(), lowerLimit);
        QCOMPARE(bench.controls().Text3.at(10)->text(), u"other.apn"_s);
    }

    void compareDialog_listsEveryItemThatDiffers()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        bench.writeFile(u"other.txt"_s, "model=GSN\r\nmode0=001\r\nmode1=001\r\nmode2=010\r\nALARM1=50.0\r\nALARM2=-11\r\n"
                                        "CADATAADDRESS6=six@example.jp\r\nCALOGINPASS=pass01\r\nCAAPN=example.apn\r\n");
        ScriptedOperator operatorAtTheScreen({bench.path(u"other.txt"_s)});
        QStringList rows;
        operatorAtTheScreen.lookAtDialogs([&rows](QDialog *dialog) {
            const QTableWidget *table = dialog->findChild<QTableWidget *>();
            for (int row = 0; row < table->rowCount(); ++row)
                rows << u"%1|%2|%3"_s.arg(table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text());
        });
        QVERIFY(bench.read());
        bench.controls().Text3.at(1)->setText(u"changed"_s);

        bench.choose("mnu_FileCompare");
        // Rows as the ChNo column names them, elements by name where the row offers them.
        QCOMPARE(rows, (QStringList{u"要素名 2|湿度 (002)|温度 (001)"_s, u"要素名 3|電圧 (003)|010"_s,
                                    u"警報下限値 2|-10.0|-11"_s, u"データ送信先アドレス 6||six@example.jp"_s,
                                    u"LoginPass|changed|pass01"_s}));
        QCOMPARE(bench.controls().Text3.at(1)->text(), u"changed"_s);
    }

    // A file that cannot be used changes nothing and says which file and why.
    void unusableFile_isNamedWithItsReason_data()
    {
        QTest::addColumn<QByteArray>("menuItem");
        QTest::addColumn<QByteArray>("contents"); // empty: the file is not written first
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("open, errors") << "mnu_FileOpen"_ba << "CAAPN=x\r\nbogus\r\nmode99=1\r\n"_ba
                                      << u"設定ファイル「%1」に誤りがあります。画面は変わっていません。"_s
                                      << u"2行目: 「=」がありません（行は 項目=値、「#」で始まるコメント、空行のいずれかです）\n"
                                         u"3行目: 不明な項目「mode99」"_s;
        QTest::newRow("compare, too large") << "mnu_FileCompare"_ba << QByteArray(1024 * 1024 + 1, 'x')
                                            << u"設定ファイル「%1」を読み込めません。比較していません。"_s
                                            << u"バイトを超えています。設定ファイルではありません"_s;
        QTest::newRow("save, a tab in a value") << "mnu_FileSave"_ba << QByteArray()
                                                << u"設定ファイル「%1」に保存できません。"_s
                                                << u"CALOGINID の値の制御文字は設定ファイルに保存できません"_s;
    }

    void unusableFile_isNamedWithItsReason()
    {
        QFETCH(QByteArray, menuItem);
        QFETCH(QByteArray, contents);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        LoggerBench bench;
        QVERIFY(bench.isValid());
        if (!contents.isEmpty())
            bench.writeFile(u"file.txt"_s, contents);
        ScriptedOperator operatorAtTheScreen({bench.path(u"file.txt"_s)});
        bench.controls().Text3.at(10)->setText(u"example.apn"_s);
        bench.controls().Text3.at(0)->setText(u"user\t01"_s);

        bench.choose(menuItem.constData());
        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        const ScriptedOperator::SeenBox &box = operatorAtTheScreen.boxes().first();
        QCOMPARE(box.text, text.arg(QDir::toNativeSeparators(bench.path(u"file.txt"_s))));
        QVERIFY2(box.informative.contains(reason), qPrintable(box.informative));
        QCOMPARE(bench.controls().Text3.at(10)->text(), u"example.apn"_s);
        QCOMPARE(bench.controls().Text3.at(0)->text(), u"user\t01"_s);
        QCOMPARE(QFileInfo::exists(bench.path(u"file.txt"_s)), !contents.isEmpty());
    }
};

QTEST_MAIN(TestSettingsFileMenu)
#include "tst_settings_file_menu.moc"
