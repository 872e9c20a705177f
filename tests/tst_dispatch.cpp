#include "base/run_time_error.h"
#include "model/screen_lock.h"
#include "model/screen_model.h"
#include "widgets/settings_file_menu.h"
#include "support/test_files.h"
#include "support/widgets/modal_watcher.h"
#include "support/widgets/window_fixture.h"
#include "widgets/field_paint.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// What the screen looked like when the exchange began.
struct Snapshot
{
    bool taken = false;
    QList<bool> commandsEnabled;
    bool tabsEnabled = true;
    bool menuEnabled = true;
    bool fileMenuEnabled = true;
    QString statusText;
    qint16 apnAuthEnabled = 0;
    bool fieldsLocked = false;
    bool busy = false;
    bool closeAccepted = true;
};

// A session whose exchanges only record the screen they start with, or fail when asked to.
class RecordingSession : public ExchangeSession
{
public:
    using ExchangeSession::ExchangeSession;

    Snapshot atRead;
    Snapshot atWrite;
    bool failing = false;
    FrmMain *window = nullptr;

protected:
    void begin(Kind kind, const PortChoice &) override
    {
        (kind == Kind::Read ? atRead : atWrite) = snapshot();
        if (failing)
            throw RunTimeError(QStringLiteral("unforeseen"));
        end(ExchangeResult{ExchangeResult::Outcome::Succeeded});
    }

private:
    Snapshot snapshot()
    {
        const ScreenControls &c = window->controls();
        Snapshot s;
        s.taken = true;
        for (QPushButton *button : c.Command1)
            s.commandsEnabled << button->isEnabled();
        s.tabsEnabled = c.SSTab2->isEnabled();
        s.menuEnabled = c.mnu_Set->menuAction()->isEnabled();
        s.fileMenuEnabled = window->fileMenu()->menu()->menuAction()->isEnabled();
        s.statusText = c.statusPanel->text();
        s.apnAuthEnabled = state().ApnAuthEnabled;
        s.fieldsLocked = true;
        for (QWidget *field : {static_cast<QWidget *>(c.Text4[0]), static_cast<QWidget *>(c.Text5[5]),
                               static_cast<QWidget *>(c.Text3[0]), static_cast<QWidget *>(c.Text3[10]),
                               static_cast<QWidget *>(c.setObserbox)})
            s.fieldsLocked = s.fieldsLocked && !field->isEnabledTo(c.SSTab2)
                             && fieldColour(field) == FieldColour::ButtonFace;
        s.busy = window->isBusy();
        s.closeAccepted = window->close();
        return s;
    }
};

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture<RecordingSession>> m_fixture;
    FrmMain *m_window = nullptr;
    RecordingSession *m_session = nullptr;

    void unlockEverything()
    {
        ScreenModel &screen = m_fixture->screen();
        SettingsState everythingInUse;
        everythingInUse.ApnAuthEnabled = kTrue;
        UnlockScreen(everythingInUse, screen);
    }

    QString statusText() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("sts_Main.Panels(1)"))->text();
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<WindowFixture<RecordingSession>>();
        QVERIFY(m_fixture->isValid());
        m_window = &m_fixture->open();
        m_session = &m_fixture->session();
        m_session->window = m_window;
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        m_fixture.reset();
    }

    void click_disablesCommandsAndLocksTheScreen_beforeTheExchangeStarts_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<qint16>("apnAuthEnabled");
        QTest::newRow("read, which decides the APN flag afresh") << 0 << kFalse;
        QTest::newRow("write, which keeps it") << 1 << kTrue;
    }

    void click_disablesCommandsAndLocksTheScreen_beforeTheExchangeStarts()
    {
        QFETCH(int, command);
        QFETCH(qint16, apnAuthEnabled);
        unlockEverything();
        m_fixture->screen().setStatusText(QStringLiteral("読込完了"));
        m_fixture->state().ApnAuthEnabled = kTrue;

        m_window->controls().Command1[command]->click();

        QCOMPARE(m_session->atRead.taken, command == 0);
        QCOMPARE(m_session->atWrite.taken, command == 1);
        const Snapshot &s = command == 0 ? m_session->atRead : m_session->atWrite;
        QCOMPARE(s.commandsEnabled, (QList<bool>{false, false, false, false}));
        QVERIFY(!s.tabsEnabled);
        QVERIFY(!s.menuEnabled);
        QVERIFY(!s.fileMenuEnabled);
        QCOMPARE(s.statusText, QString());
        QCOMPARE(s.apnAuthEnabled, apnAuthEnabled);
        QVERIFY(s.fieldsLocked);
        QVERIFY(s.busy);
        QVERIFY(!m_window->isBusy());
    }

    void closingTheWindowDuringAnExchange_isRefused()
    {
        m_window->controls().Command1[0]->click();
        QVERIFY(!m_session->atRead.closeAccepted);
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->close()); // idle again
    }

    // The exchanges end their own errors; one that escapes them still ends the exchange with its
    // message, and the window is usable again.
    void errorEscapingAnExchange_endsItWithTheMessage_andGivesTheScreenBack_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("writeEnabled");
        QTest::newRow("read") << 0 << false;
        QTest::newRow("write") << 1 << true;
    }

    void errorEscapingAnExchange_endsItWithTheMessage_andGivesTheScreenBack()
    {
        QFETCH(int, command);
        QFETCH(bool, writeEnabled);
        unlockEverything();
        m_session->failing = true;
        ModalWatcher operatorAtTheScreen;
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("ended by an error: unforeseen")));

        m_window->controls().Command1.at(command)->click();

        QCOMPARE(operatorAtTheScreen.messageTexts(), QStringList{QStringLiteral("通信ポートを開けません。")});
        QVERIFY(!m_window->isBusy());
        QVERIFY(m_window->controls().Command1[0]->isEnabled());
        QCOMPARE(m_window->controls().Command1[1]->isEnabled(), writeEnabled);
        QVERIFY(m_window->controls().Command1[3]->isEnabled());
        QVERIFY(m_window->controls().SSTab2->isEnabled());
        QVERIFY(m_window->fileMenu()->menu()->menuAction()->isEnabled());
    }

    void saveIndex_changesNothing()
    {
        unlockEverything();
        m_fixture->screen().setStatusText(QStringLiteral("読込完了"));
        m_fixture->state().ApnAuthEnabled = kTrue;
        const QStringList filesBefore = QDir::current().entryList(QDir::Files);

        m_window->Command1_Click(2);

        QVERIFY(!m_session->atRead.taken);
        QVERIFY(!m_session->atWrite.taken);
        for (QPushButton *button : m_window->controls().Command1)
            QVERIFY(button->isEnabled());
        QVERIFY(m_window->controls().SSTab2->isEnabled());
        QVERIFY(m_window->controls().mnu_Set->menuAction()->isEnabled());
        QCOMPARE(statusText(), QStringLiteral("読込完了"));
        QCOMPARE(m_fixture->state().ApnAuthEnabled, kTrue);
        QVERIFY(m_window->controls().Text3[0]->isEnabled());
        QCOMPARE(QDir::current().entryList(QDir::Files), filesBefore);
    }

    void exit_closesEveryWindow()
    {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        m_window->controls().Command1[3]->click();
        QVERIFY(!m_window->isVisible());
        QVERIFY(!other.isVisible());
    }

    void menuItem_opensThePortDialogModally_andTakesTheStoredChoice()
    {
        writeFile(QStringLiteral("env.dat"), QByteArray::fromHex("02000500"));

        QString dialogName;
        Qt::WindowModality modality = Qt::NonModal;
        ModalWatcher operatorAtTheScreen([&](QWidget *dialog) {
            dialogName = dialog->objectName();
            modality = dialog->windowModality();
            qobject_cast<QDialog *>(dialog)->reject();
        });
        m_window->controls().mnu_Set->actions().first()->trigger();

        QCOMPARE(dialogName, QStringLiteral("frm_Set"));
        QCOMPARE(modality, Qt::ApplicationModal);
        QCOMPARE(m_window->portChoice(), (PortChoice{2, 5}));
    }

    void menuItemOtherThanZero_opensNothing()
    {
        ModalWatcher operatorAtTheScreen;
        m_window->mnu_Setitem_Click(1);
        QCOMPARE(operatorAtTheScreen.openedCount(), 0);
    }
};

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
