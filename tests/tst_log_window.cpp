#include "exchange/wire_log.h"
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
    // Shown from the menu before a read, the window follows the read line by line, every line sent
    // and received marked as such, with times and without passwords; nothing reaches the disk
    // until the operator saves it. It is a window of its own, never kept above the main window.
    void logWindow_followsTheExchange_masked_andSavesOnlyWhenAsked()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        LogWindow *logWindow = bench.window().logWindow();
        QVERIFY(!logWindow->isVisible());
        bench.choose("mnu_ViewLog");
        QVERIFY(logWindow->isVisible());
        QVERIFY(!logWindow->isModal());
        QVERIFY(!logWindow->parentWidget() && !logWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QStringList inTheProgramFolder = filesIn(bench.fixture().appDir().filePath(QString()));
        QStringList inTheCurrentFolder = filesIn(QDir::currentPath());

        QList<int> linesSeen;
        connect(&bench.fixture().session().wireLog(), &WireLog::changed, logWindow,
                [&] { linesSeen.append(logWindow->text()->blockCount()); });
        QVERIFY(bench.read());

        const QStringList lines = logWindow->text()->toPlainText().split(u'\n');
        QStringList texts; // the lines less their times
        for (const QString &line : lines)
            texts.append(line.mid(14));
        QCOMPARE(texts.mid(0, 10), (QStringList{u"← AT"_s, u"→ CONNECT"_s, u"← READY"_s, u"→ CAON"_s, u"← OK"_s,
                                                u"→ EERM0"_s, u"← GSNV01.00"_s, u"→ EERC9"_s, u"← 16"_s, u"→ mode0?"_s}));
        QCOMPARE(texts.filter(QRegularExpression(u"^→ [A-Za-z0-9]+\\?$"_s)).size(), 72); // every item read
        QVERIFY(texts.contains(u"→ CAOFF"_s));
        QVERIFY(linesSeen.size() > 100);
        QVERIFY(linesSeen.first() < 5 && linesSeen.first() < linesSeen.last());
        QVERIFY(std::is_sorted(linesSeen.begin(), linesSeen.end()));
        static const QRegularExpression timed(u"^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  "_s);
        for (const QString &line : lines)
            QVERIFY2(timed.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines.first().endsWith(u"  ← AT"_s));
        for (const QString &question : {u"→ CALOGINPASS?"_s, u"→ CAPOPPASS?"_s})
            QCOMPARE(texts.value(texts.indexOf(question) + 1), u"← ********"_s);
        QVERIFY(!logWindow->text()->toPlainText().contains(u"pass01"_s));
        QVERIFY(bench.fixture().screen().logText().contains(u"pass01"_s)); // rtxt_Box as ever
        QCOMPARE(filesIn(bench.fixture().appDir().filePath(QString())), inTheProgramFolder);
        QCOMPARE(filesIn(QDir::currentPath()), inTheCurrentFolder);

        ScriptedOperator operatorAtTheScreen({bench.path(u"exchange.txt"_s)});
        logWindow->findChild<QPushButton *>(u"LogSave"_s)->click();
        QCOMPARE(QString::fromUtf8(bench.readFile(u"exchange.txt"_s)), lines.join(u"\r\n"_s) + u"\r\n"_s);
        QVERIFY(operatorAtTheScreen.boxes().isEmpty());
    }

    // Beside the main window where the screen has room, never over it.
    void placeBeside_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<std::optional<QRect>>("place");
        QTest::newRow("room on the right") << QRect(0, 0, 645, 497) << QRect(0, 0, 1920, 1080)
                                           << std::optional(QRect(653, 0, 640, 420));
        QTest::newRow("narrower on the right") << QRect(0, 100, 645, 497) << QRect(0, 0, 1024, 768)
                                               << std::optional(QRect(653, 100, 371, 420));
        QTest::newRow("only the left has room") << QRect(1200, 0, 645, 497) << QRect(0, 0, 1920, 1080)
                                                << std::optional(QRect(552, 0, 640, 420));
        QTest::newRow("kept on the screen's height") << QRect(0, 700, 645, 497) << QRect(0, 0, 1920, 1080)
                                                     << std::optional(QRect(653, 660, 640, 420));
        QTest::newRow("no room either side") << QRect(100, 0, 645, 497) << QRect(0, 0, 800, 600) << std::optional<QRect>();
    }

    void placeBeside()
    {
        QFETCH(QRect, main);
        QFETCH(QRect, available);
        QFETCH(std::optional<QRect>, place);
        const std::optional<QRect> placed = LogWindow::placeBeside(main, QSize(640, 420), available);
        QCOMPARE(placed, place);
        if (placed) {
            QVERIFY(!placed->intersects(main));
            QVERIFY(available.contains(*placed));
        }
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
