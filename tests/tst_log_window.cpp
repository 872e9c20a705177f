#include "support/widgets/logger_bench.h"
#include "support/widgets/modal_watcher.h"
#include "support/widgets/scripted_operator.h"
#include "widgets/log_window.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

private slots:
    // Shown from the menu before a read, the window follows the read line by line, with times and
    // without passwords; nothing reaches the disk until the operator saves it.
    void logWindow_followsTheExchange_masked_andSavesOnlyWhenAsked()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        LogWindow *logWindow = bench.window().logWindow();
        QVERIFY(!logWindow->isVisible());
        bench.choose("mnu_ViewLog");
        QVERIFY(logWindow->isVisible());
        QVERIFY(!logWindow->isModal());
        QStringList inTheProgramFolder = filesIn(bench.fixture().appDir().filePath(QString()));
        QStringList inTheCurrentFolder = filesIn(QDir::currentPath());

        QList<int> linesSeen;
        connect(&bench.fixture().screen(), &ScreenModel::logChanged, logWindow,
                [&] { linesSeen.append(logWindow->text()->blockCount()); });
        QVERIFY(bench.read());

        const QStringList lines = logWindow->text()->toPlainText().split(u'\n');
        QStringList texts; // the lines less their times
        for (const QString &line : lines)
            texts.append(line.mid(14));
        QCOMPARE(texts.mid(0, 7), (QStringList{u"AT"_s, u"CONNECT"_s, u"READY"_s, u"CAON"_s, u"OK"_s, u"GSNV01.00"_s, u"mode0?"_s}));
        QCOMPARE(texts.filter(QRegularExpression(u"^[A-Za-z0-9]+\\?$"_s)).size(), 72); // every item read
        QVERIFY(texts.contains(u"CAOFF"_s));
        QVERIFY(linesSeen.size() > 100);
        QVERIFY(linesSeen.first() < 5 && linesSeen.first() < linesSeen.last());
        QVERIFY(std::is_sorted(linesSeen.begin(), linesSeen.end()));
        static const QRegularExpression timed(u"^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  "_s);
        for (const QString &line : lines)
            QVERIFY2(timed.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines.first().endsWith(u"  AT"_s));
        for (const QString &question : {u"CALOGINPASS?"_s, u"CAPOPPASS?"_s})
            QCOMPARE(texts.value(texts.indexOf(question) + 1), u"********"_s);
        QVERIFY(!logWindow->text()->toPlainText().contains(u"pass01"_s));
        QVERIFY(bench.fixture().screen().logText().contains(u"pass01"_s)); // rtxt_Box as ever
        QCOMPARE(filesIn(bench.fixture().appDir().filePath(QString())), inTheProgramFolder);
        QCOMPARE(filesIn(QDir::currentPath()), inTheCurrentFolder);

        ScriptedOperator operatorAtTheScreen({bench.path(u"exchange.txt"_s)});
        logWindow->findChild<QPushButton *>(u"LogSave"_s)->click();
        QCOMPARE(QString::fromUtf8(bench.readFile(u"exchange.txt"_s)), lines.join(u"\r\n"_s) + u"\r\n"_s);
        QVERIFY(operatorAtTheScreen.boxes().isEmpty());
    }

    // The operator may leave a dialog open while the logger is read: the read goes on and ends
    // behind it, and the screen is given back.
    void dialogOpenDuringARead_doesNotHoldTheReadUp()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        bench.choose("mnu_ViewLog");
        ExchangeSession &session = bench.fixture().session();
        bool endedBehindTheDialog = false;
        ModalWatcher operatorAtTheScreen([&](QWidget *dialog) {
            QSignalSpy ended(&session, &ExchangeSession::finished);
            endedBehindTheDialog = ended.wait(10000) && dialog->isVisible();
            qobject_cast<QDialog *>(dialog)->reject();
        }, std::chrono::seconds(20));

        QTest::mouseClick(bench.controls().Command1.at(0), Qt::LeftButton);
        QVERIFY(session.isRunning());
        bench.window().logWindow()->findChild<QPushButton *>(u"LogSave"_s)->click();

        QVERIFY(endedBehindTheDialog);
        QCOMPARE(operatorAtTheScreen.openedCount(), 1);
        QCOMPARE(bench.controls().statusPanel->text(), u"読込完了"_s);
        QVERIFY(bench.controls().Command1.at(1)->isEnabled());
        QVERIFY(!bench.fixture().comPort().isOpen());
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_log_window.moc"
