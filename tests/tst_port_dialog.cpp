#include "support/current_folder.h"
#include "support/test_files.h"
#include "support/widgets/modal_watcher.h"
#include "widgets/frm_set.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

QComboBox *portList(const QWidget &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("cbo_port"));
}

QComboBox *speedList(const QWidget &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("cbo_baud"));
}

QPushButton *button(const QWidget &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1String(name));
}

// The next widget the Tab key moves to.
QWidget *nextTabStop(QWidget *widget)
{
    QWidget *next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class TestPortDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScopedCurrentFolder> m_currentFolder;

    static void writeEnv(const QByteArray &bytes) { writeFile(QStringLiteral("env.dat"), bytes); }

    static QByteArray envBytes()
    {
        QFile file(QStringLiteral("env.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

private slots:
    // env.dat lives in the current folder: each test gets a fresh one.
    void init()
    {
        m_currentFolder = std::make_unique<ScopedCurrentFolder>();
        QVERIFY(m_currentFolder->isValid());
    }

    void cleanup()
    {
        m_currentFolder.reset();
    }

    void dialog_showsItsControlsWhereTheLayoutHasThem()
    {
        FrmSet dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("通信設定"));
        QCOMPARE(dialog.size(), QSize(3645 / 15, 1980 / 15));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

        QStringList ports;
        for (int p = 1; p <= 9; ++p)
            ports << QStringLiteral("COM%1").arg(p);
        const QStringList speeds{QStringLiteral("300bps"),   QStringLiteral("600bps"),   QStringLiteral("1200bps"),
                                 QStringLiteral("2400bps"),  QStringLiteral("4800bps"),  QStringLiteral("9600bps"),
                                 QStringLiteral("19200bps"), QStringLiteral("38400bps"), QStringLiteral("57600bps"),
                                 QStringLiteral("115200bps")};
        for (auto [list, entries] : {std::pair{portList(dialog), ports}, std::pair{speedList(dialog), speeds}}) {
            QVERIFY(!list->isEditable());
            QCOMPARE(list->count(), entries.size());
            for (int i = 0; i < entries.size(); ++i)
                QCOMPARE(list->itemText(i), entries.at(i));
        }
        QCOMPARE(portList(dialog)->geometry(), QRect(16, 32, 97, 20));
        QCOMPARE(speedList(dialog)->geometry(), QRect(128, 32, 97, 20));
        QCOMPARE(button(dialog, "cmd_ok")->geometry(), QRect(48, 88, 65, 25));
        QCOMPARE(button(dialog, "cmd_ok")->text(), QStringLiteral("OK"));
        QCOMPARE(button(dialog, "cmd_can")->geometry(), QRect(128, 88, 65, 25));
        QCOMPARE(button(dialog, "cmd_can")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        auto *portLabel = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
        auto *speedLabel = dialog.findChild<QLabel *>(QStringLiteral("Label2"));
        QCOMPARE(portLabel->text(), QStringLiteral("通信ポート"));
        QCOMPARE(portLabel->pos(), QPoint(16, 16));
        QCOMPARE(speedLabel->text(), QStringLiteral("通信速度"));
        QCOMPARE(speedLabel->pos(), QPoint(128, 16));
        QCOMPARE(dialog.font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));

        QCOMPARE(nextTabStop(portList(dialog)), speedList(dialog));
        QCOMPARE(nextTabStop(speedList(dialog)), button(dialog, "cmd_ok"));
        QCOMPARE(nextTabStop(button(dialog, "cmd_ok")), button(dialog, "cmd_can"));
        QCOMPARE(nextTabStop(button(dialog, "cmd_can")), portList(dialog));
    }

    void firstStart_createsAnEmptyEnvFile_andShowsCom1And300()
    {
        FrmSet dialog;
        QCOMPARE(envBytes(), QByteArray());
        QCOMPARE(portList(dialog)->currentText(), QStringLiteral("COM1"));
        QCOMPARE(speedList(dialog)->currentText(), QStringLiteral("300bps"));
        QCOMPARE(dialog.choice(), PortChoice{});
    }

    void storedIndexes_selectTheirEntries_orNothingWhenNoEntryMatches_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("speed");
        QTest::newRow("COM3, 9600bps") << QByteArray::fromHex("02000500") << 2 << 5;
        QTest::newRow("COM9, 115200bps") << QByteArray::fromHex("08000900") << 8 << 9;
        QTest::newRow("-1 stored") << QByteArray::fromHex("ffffffff") << -1 << -1;
        QTest::newRow("past the lists") << QByteArray::fromHex("09000a00") << -1 << -1;
        QTest::newRow("below -1") << QByteArray::fromHex("feff0080") << -1 << -1;
        QTest::newRow("short record") << QByteArray::fromHex("03") << 3 << 0;
    }

    void storedIndexes_selectTheirEntries_orNothingWhenNoEntryMatches()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, port);
        QFETCH(int, speed);
        writeEnv(stored);
        FrmSet dialog;
        QCOMPARE(portList(dialog)->currentIndex(), port);
        QCOMPARE(speedList(dialog)->currentIndex(), speed);
        // The exchange uses what is stored, whether the lists can show it or not.
        QCOMPARE(dialog.choice(), portChoiceFromRecord(stored));
    }

    void ok_storesTheListPositions_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("COM3, 9600bps") << QByteArray() << 2 << 5 << QByteArray::fromHex("02000500");
        QTest::newRow("COM9, 115200bps") << QByteArray::fromHex("02000500") << 8 << 9 << QByteArray::fromHex("08000900");
        QTest::newRow("-1 stays -1") << QByteArray::fromHex("ffffffff") << -2 << -2 << QByteArray::fromHex("ffffffff");
        QTest::newRow("unshown index, nothing chosen") << QByteArray::fromHex("0c000500") << -2 << -2
                                                       << QByteArray::fromHex("ffff0500");
    }

    void ok_storesTheListPositions()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, port);
        QFETCH(int, speed);
        QFETCH(QByteArray, written);
        writeEnv(stored);
        FrmSet dialog;
        if (port != -2) // -2: leave the lists as they opened
            portList(dialog)->setCurrentIndex(port);
        if (speed != -2)
            speedList(dialog)->setCurrentIndex(speed);

        button(dialog, "cmd_ok")->click();

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(envBytes(), written);
        QCOMPARE(dialog.choice(), portChoiceFromRecord(written));
        // The next opening shows the same entries.
        FrmSet next;
        QCOMPARE(next.choice(), portChoiceFromRecord(written));
    }

    void cancel_writesNothing_andKeepsTheStoredChoice()
    {
        writeEnv(QByteArray::fromHex("02000500"));
        FrmSet dialog;
        portList(dialog)->setCurrentIndex(6);
        speedList(dialog)->setCurrentIndex(1);

        button(dialog, "cmd_can")->click();

        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(envBytes(), QByteArray::fromHex("02000500"));
        QCOMPARE(dialog.choice(), (PortChoice{2, 5}));
        FrmSet next;
        QCOMPARE(portList(next)->currentText(), QStringLiteral("COM3"));
        QCOMPARE(speedList(next)->currentText(), QStringLiteral("9600bps"));
    }

    void unwritableEnvFile_okShowsTheMessage_andKeepsTheDialogOpen()
    {
        // A folder in the file's place: it can be neither read nor written.
        QVERIFY(QDir::current().mkdir(QStringLiteral("env.dat")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot read")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write")));

        QString message;
        QString messageTitle;
        QMessageBox::Icon icon = QMessageBox::Critical;
        int buttonCount = 0;
        bool dialogOpenAfterMessage = false;
        FrmSet *dialogSeen = nullptr;

        // Inside the dialog: choose COM3 and press OK; the message box takes over, and once it
        // is closed the operator is back in the dialog, which can still be cancelled.
        ModalWatcher operatorAtTheScreen([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                message = box->text();
                messageTitle = box->windowTitle();
                icon = box->icon();
                buttonCount = int(box->buttons().size());
                box->button(QMessageBox::Ok)->click();
                return;
            }
            dialogSeen = qobject_cast<FrmSet *>(modal);
            if (!dialogSeen)
                return;
            portList(*dialogSeen)->setCurrentIndex(2);
            button(*dialogSeen, "cmd_ok")->click();
            dialogOpenAfterMessage = QApplication::activeModalWidget() == dialogSeen && dialogSeen->isVisible();
            button(*dialogSeen, "cmd_can")->click();
        });
        const PortChoice choice = FrmSet::choose();

        QVERIFY(dialogSeen);
        QCOMPARE(message, QStringLiteral("通信設定を保存できません。"));
        QCOMPARE(messageTitle, QStringLiteral("通信設定"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttonCount, 1);
        QVERIFY(dialogOpenAfterMessage);
        QCOMPARE(choice, PortChoice{});
        QVERIFY(QFileInfo(QStringLiteral("env.dat")).isDir());
    }

    void choose_isApplicationModal_andReturnsTheSavedChoice()
    {
        Qt::WindowModality modality = Qt::NonModal;
        ModalWatcher operatorAtTheScreen([&](QWidget *modal) {
            auto *dialog = qobject_cast<FrmSet *>(modal);
            QVERIFY(dialog);
            modality = dialog->windowModality();
            portList(*dialog)->setCurrentIndex(4);
            speedList(*dialog)->setCurrentIndex(7);
            button(*dialog, "cmd_ok")->click();
        });
        QCOMPARE(FrmSet::choose(), (PortChoice{4, 7}));
        QCOMPARE(modality, Qt::ApplicationModal);
        QCOMPARE(envBytes(), QByteArray::fromHex("04000700"));
    }
};

QTEST_MAIN(TestPortDialog)
#include "tst_port_dialog.moc"
