#include "link/qt_serial_line.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"
#include "widgets/field_paint.h"
#include "widgets/frm_main.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// What the screen looked like when the exchange began.
struct Snapshot
{
    bool taken = false;
    QList<bool> commandsEnabled;
    bool tabsEnabled = true;
    bool menuEnabled = true;
    QString statusText;
    qint16 apnAuthEnabled = 0;
    bool fieldsLocked = false;
    bool busy = false;
    bool closeAccepted = true;
};

// A window whose exchanges only record the screen they start with.
class RecordingWindow : public FrmMain
{
public:
    RecordingWindow(SettingsState &state, const AppFolder &appFolder, SerialLine &comPort)
        : FrmMain(state, appFolder, comPort), m_state(state)
    {
    }

    Snapshot atRead;
    Snapshot atWrite;

protected:
    void runReadSequence() override { atRead = snapshot(); }
    void runWriteSequence() override { atWrite = snapshot(); }

private:
    Snapshot snapshot()
    {
        const ScreenControls &c = controls();
        Snapshot s;
        s.taken = true;
        for (QPushButton *button : c.Command1)
            s.commandsEnabled << button->isEnabled();
        s.tabsEnabled = c.SSTab2->isEnabled();
        s.menuEnabled = c.mnu_Set->menuAction()->isEnabled();
        s.statusText = findChild<QLabel *>(QStringLiteral("sts_Main.Panels(1)"))->text();
        s.apnAuthEnabled = m_state.ApnAuthEnabled;
        s.fieldsLocked = true;
        for (QWidget *field : {static_cast<QWidget *>(c.Text4[0]), static_cast<QWidget *>(c.Text5[5]),
                               static_cast<QWidget *>(c.Text3[0]), static_cast<QWidget *>(c.Text3[10]),
                               static_cast<QWidget *>(c.setObserbox)})
            s.fieldsLocked = s.fieldsLocked && !field->isEnabledTo(c.SSTab2)
                             && fieldColour(field) == FieldColour::ButtonFace;
        s.busy = isBusy();
        s.closeAccepted = close();
        return s;
    }

    const SettingsState &m_state;
};

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_currentFolder;
    QString m_previousFolder;
    TempAppFolder m_appDir{{QStringLiteral("auth.ini")}};
    AppFolder m_appFolder = m_appDir.appFolder();
    QtSerialLine m_comPort; // never opened here
    SettingsState m_state;
    std::unique_ptr<RecordingWindow> m_window;

    void unlockEverything()
    {
        const ScreenControls &c = m_window->controls();
        for (QPushButton *button : c.Command1)
            button->setEnabled(true);
        for (QLineEdit *field : c.Text4)
            unlockField(field);
        for (QLineEdit *field : c.Text5)
            unlockField(field);
        for (QLineEdit *field : c.Text3)
            unlockField(field);
        unlockField(c.setObserbox);
    }

private slots:
    void init()
    {
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_currentFolder.path()));
        m_window = std::make_unique<RecordingWindow>(m_state, m_appFolder, m_comPort);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(m_previousFolder);
    }

    void readClick_disablesCommandsAndLocksTheScreen_beforeTheReadStarts()
    {
        unlockEverything();
        m_window->setStatusText(QStringLiteral("読込完了"));
        m_state.ApnAuthEnabled = kTrue;

        m_window->controls().Command1[0]->click();

        const Snapshot &s = m_window->atRead;
        QVERIFY(s.taken);
        QVERIFY(!m_window->atWrite.taken);
        QCOMPARE(s.commandsEnabled, (QList<bool>{false, false, false, false}));
        QVERIFY(!s.tabsEnabled);
        QVERIFY(!s.menuEnabled);
        QCOMPARE(s.statusText, QString());
        QCOMPARE(s.apnAuthEnabled, kFalse); // the read decides it afresh
        QVERIFY(s.fieldsLocked);
        QVERIFY(s.busy);
        QVERIFY(!m_window->isBusy());
    }

    void writeClick_disablesCommandsAndLocksTheScreen_keepingTheApnFlag()
    {
        unlockEverything();
        m_window->setStatusText(QStringLiteral("読込完了"));
        m_state.ApnAuthEnabled = kTrue;

        m_window->controls().Command1[1]->click();

        const Snapshot &s = m_window->atWrite;
        QVERIFY(s.taken);
        QVERIFY(!m_window->atRead.taken);
        QCOMPARE(s.commandsEnabled, (QList<bool>{false, false, false, false}));
        QVERIFY(!s.tabsEnabled);
        QVERIFY(!s.menuEnabled);
        QCOMPARE(s.statusText, QString());
        QCOMPARE(s.apnAuthEnabled, kTrue);
        QVERIFY(s.fieldsLocked);
        QVERIFY(s.busy);
    }

    void closingTheWindowDuringAnExchange_isRefused()
    {
        m_window->controls().Command1[0]->click();
        QVERIFY(!m_window->atRead.closeAccepted);
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->close()); // idle again
    }

    void saveIndex_changesNothing()
    {
        unlockEverything();
        m_window->setStatusText(QStringLiteral("読込完了"));
        m_state.ApnAuthEnabled = kTrue;
        const QStringList filesBefore = QDir::current().entryList(QDir::Files);

        m_window->Command1_Click(2);

        QVERIFY(!m_window->atRead.taken);
        QVERIFY(!m_window->atWrite.taken);
        for (QPushButton *button : m_window->controls().Command1)
            QVERIFY(button->isEnabled());
        QVERIFY(m_window->controls().SSTab2->isEnabled());
        QVERIFY(m_window->controls().mnu_Set->menuAction()->isEnabled());
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("sts_Main.Panels(1)"))->text(),
                 QStringLiteral("読込完了"));
        QCOMPARE(m_state.ApnAuthEnabled, kTrue);
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
        QFile env(QStringLiteral("env.dat"));
        QVERIFY(env.open(QIODevice::WriteOnly | QIODevice::Truncate));
        env.write(QByteArray::fromHex("02000500"));
        env.close();

        QString dialogName;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialogName = dialog->objectName();
            modality = dialog->windowModality();
            dialog->reject();
        });
        m_window->menuBar()->actions().first()->menu()->actions().first()->trigger();

        QCOMPARE(dialogName, QStringLiteral("frm_Set"));
        QCOMPARE(modality, Qt::ApplicationModal);
        QCOMPARE(m_window->portChoice(), (PortChoice{2, 5}));
    }

    void menuItemOtherThanZero_opensNothing()
    {
        bool modalSeen = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                modalSeen = true;
                modal->close();
            }
        });
        guard.start(0);
        m_window->mnu_Setitem_Click(1);
        QVERIFY(!modalSeen);
    }
};

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
