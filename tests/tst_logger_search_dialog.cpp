#include "files/env_file.h"
#include "link/port_lock.h"
#include "link/port_names.h"
#include "support/exchange_timing.h"
#include "support/pty_peer.h"
#include "support/simulated_logger_fixture.h"
#include "support/widgets/scripted_operator.h"
#include "support/widgets/window_fixture.h"
#include "widgets/logger_search_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace telvaro::ports;

namespace {

template<typename Widget>
Widget *child(QWidget *dialog, const char *name)
{
    return dialog->findChild<Widget *>(QLatin1String(name));
}

QStringList column(QWidget *dialog, int index)
{
    QStringList texts;
    auto *list = child<QTreeWidget>(dialog, "lst_Devices");
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts.append(list->topLevelItem(row)->text(index));
    return texts;
}

} // namespace

// "ツール(&T)" → "ロガーを探す(&F)...": a logger that no COM name leads to, among a silent
// device, is found and mapped, and the next read reaches it.
class TestLoggerSearchDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_locks;
    QTemporaryDir m_byId; // no adapter has a stable name here
    std::unique_ptr<SimulatedLoggerFixture> m_logger;
    std::unique_ptr<PtyPeer> m_silent;
    std::unique_ptr<WindowFixture<>> m_window;

    void openWindow(double searchScale)
    {
        m_logger = std::make_unique<SimulatedLoggerFixture>(SimulatedLoggerOptions{}.scaled(kWindowTestTimeScale));
        QVERIFY2(m_logger->isValid(), qPrintable(m_logger->errorString()));
        // COM1 leads elsewhere now: only a mapping made by the search reaches the logger.
        QVERIFY(QFile::remove(m_logger->comLinkPath()));
        m_silent = std::make_unique<PtyPeer>();
        QVERIFY(m_silent->isValid());
        m_window = std::make_unique<WindowFixture<>>(TempAppFolder::allInstallFiles(), m_logger->portsFolder());
        QVERIFY(m_window->isValid());
        QVERIFY(SaveEnv(PortChoice{0, 5}));
        m_window->session().setTimings(ExchangeTimings{}.scaled(kWindowTestTimeScale));
        m_window->open();

        LoggerSearchDialog::Setup setup;
        setup.portsFolder = m_logger->portsFolder();
        setup.byIdFolder = m_byId.path();
        setup.search.lockFolder = m_locks.path();
        setup.search = setup.search.scaled(searchScale);
        setup.devices = [this] { return QStringList{m_silent->devicePath(), m_logger->devicePath()}; };
        m_window->window().setLoggerSearchSetup(setup);
    }

    QAction *findItem() const
    {
        return m_window->window().findChild<QAction *>(u"mnu_ToolsFindLogger"_s);
    }

    QStringList lockFiles() const
    {
        QStringList found;
        for (const QString &folder : {m_locks.path(), PortLock::defaultFolder()}) {
            for (const QString &device : {m_silent->devicePath(), m_logger->devicePath()}) {
                if (QFile::exists(PortLock(folder).lockFilePath(device)))
                    found.append(PortLock(folder).lockFilePath(device));
            }
        }
        return found;
    }

private slots:
    void initTestCase() { QVERIFY(m_locks.isValid() && m_byId.isValid()); }

    void cleanup()
    {
        m_window.reset();
        m_silent.reset();
        m_logger.reset();
    }

    void foundLogger_mappedToAComName_isWhereTheNextReadGoes()
    {
        openWindow(kWindowTestTimeScale);
        QCOMPARE(findItem()->text(), u"ロガーを探す(&F)..."_s);
        ScriptedOperator person;
        QStringList results;
        QString status;
        person.lookAtDialogs([&](QDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), u"ロガーを探す"_s);
            QCOMPARE(child<QCheckBox>(dialog, "chk_Probe")->text(), u"応答を確かめる"_s);
            QVERIFY(!child<QCheckBox>(dialog, "chk_Probe")->isChecked());
            auto *find = child<QPushButton>(dialog, "cmd_Find");
            QCOMPARE(find->text(), u"探す"_s);
            QVERIFY(!child<QPushButton>(dialog, "cmd_Use")->isEnabled());
            QSignalSpy finished(&static_cast<LoggerSearchDialog *>(dialog)->search(), &LoggerSearch::finished);
            find->click();
            QCOMPARE(find->text(), u"中止"_s);
            QVERIFY(finished.wait(4000));
            QCOMPARE(find->text(), u"探す"_s);
            results = column(dialog, 2);
            status = child<QLabel>(dialog, "lbl_Status")->text();
            // The logger's row is chosen for the mapping.
            QVERIFY(child<QPushButton>(dialog, "cmd_Use")->isEnabled());
            child<QComboBox>(dialog, "cbo_Com")->setCurrentIndex(2);
            child<QPushButton>(dialog, "cmd_Use")->click();
            QCOMPARE(column(dialog, 1), (QStringList{QString(), u"COM3"_s}));
        });
        findItem()->trigger();

        QCOMPARE(results, (QStringList{u"ロガーなし（呼び出しなし）"_s, u"ロガーあり（呼び出し「AT」を受信）"_s}));
        QCOMPARE(status, u"ロガーが 1 台見つかりました。選んでCOMを割り当てられます。"_s);
        QCOMPARE(person.boxTexts(), (QStringList{u"COM3 を %1 に割り当てました。次の通信は COM3 で行います。"_s.arg(m_logger->devicePath())}));
        QCOMPARE(QFileInfo(PortNames::linkPath(3, m_logger->portsFolder())).symLinkTarget(), m_logger->devicePath());
        QCOMPARE(m_window->window().portChoice(), (PortChoice{2, 5}));
        QCOMPARE(LoadEnv(), (PortChoice{2, 5}));
        QCOMPARE(m_silent->received(), QByteArray());
        QCOMPARE(lockFiles(), QStringList());

        // The read goes to COM3, and the search cannot be started under it.
        QTest::mouseClick(m_window->controls().Command1.at(0), Qt::LeftButton);
        QVERIFY(m_window->window().isBusy());
        auto *tools = m_window->window().findChild<QMenu *>(u"mnu_Tools"_s);
        emit tools->aboutToShow();
        QVERIFY(!findItem()->isEnabled());
        QVERIFY(m_window->exchangeEnds());
        QCOMPARE(m_window->controls().statusPanel->text(), u"読込完了"_s);
        emit tools->aboutToShow();
        QVERIFY(findItem()->isEnabled());
    }

    // A search ended by "中止" or by closing the dialog leaves no port open and no lock behind,
    // and changes no choice.
    void searchEndedEarly_releasesEveryPort_data()
    {
        QTest::addColumn<bool>("close");
        QTest::addColumn<QString>("status");
        QTest::newRow("中止") << false << u"中止しました。"_s;
        QTest::newRow("閉じる") << true << QString();
    }

    void searchEndedEarly_releasesEveryPort()
    {
        QFETCH(bool, close);
        QFETCH(QString, status);

        openWindow(1.0); // five seconds of listening: still at it when it is ended
        ScriptedOperator person;
        QStringList locksDuring;
        QStringList locksAfter;
        QString statusAfter;
        person.lookAtDialogs([&](QDialog *dialog) {
            child<QCheckBox>(dialog, "chk_Probe")->setChecked(true);
            auto *find = child<QPushButton>(dialog, "cmd_Find");
            find->click();
            QVERIFY(!child<QCheckBox>(dialog, "chk_Probe")->isEnabled());
            QTRY_COMPARE(m_logger->logger().phase(), SimulatedLogger::Phase::Waking);
            locksDuring = lockFiles().filter(m_locks.path());
            if (close) {
                child<QPushButton>(dialog, "cmd_Close")->click();
                locksAfter = lockFiles();
                return;
            }
            QSignalSpy finished(&static_cast<LoggerSearchDialog *>(dialog)->search(), &LoggerSearch::finished);
            find->click();
            locksAfter = lockFiles();
            QVERIFY(finished.wait(1000));
            statusAfter = child<QLabel>(dialog, "lbl_Status")->text();
            QCOMPARE(column(dialog, 2), (QStringList{u"中止しました"_s, u"中止しました"_s}));
            QCOMPARE(find->text(), u"探す"_s);
        });
        findItem()->trigger();

        QCOMPARE(locksDuring.size(), 2);
        QCOMPARE(locksAfter, QStringList());
        QCOMPARE(statusAfter, status);
        QTRY_COMPARE(m_logger->logger().phase(), SimulatedLogger::Phase::Released);
        QCOMPARE(m_logger->logger().receivedLines(), QList<QByteArray>());
        QCOMPARE(m_silent->received(), QByteArray());
        QCOMPARE(m_window->window().portChoice(), (PortChoice{0, 5}));
        QCOMPARE(LoadEnv(), (PortChoice{0, 5}));
    }
};

QTEST_MAIN(TestLoggerSearchDialog)
#include "tst_logger_search_dialog.moc"
