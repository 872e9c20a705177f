#include "link/port_names.h"
#include "ports/port_folders.h"
#include "ports/port_table_model.h"
#include "simulator/pseudo_terminal_port.h"
#include "support/widgets/window_fixture.h"
#include "widgets/port_assignment_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The menu "ツール(&T)" and its dialog "シリアルポートの割り当て", offscreen, on pseudo-terminals and
// temporary folders.
class TestPortAssignmentDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    PortFolders m_folders;
    std::unique_ptr<PseudoTerminalPort> m_adapter;

    QString byIdPath() const { return QDir(m_folders.byId).filePath(u"usb-Maker_Adapter_A1B2C3-if00-port0"_s); }
    static QPushButton *button(const QDialog &dialog, const char16_t *name)
    {
        return dialog.findChild<QPushButton *>(QString::fromUtf16(name));
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        for (const QString &folder : {u"by-id"_s, u"ports"_s, u"locks"_s}) {
            QDir(m_root.filePath(folder)).removeRecursively();
            QVERIFY(QDir().mkpath(m_root.filePath(folder)));
        }
        m_folders = {m_root.filePath(u"by-id"_s), u"/dev/pts"_s, m_root.filePath(u"ports"_s), m_root.filePath(u"locks"_s), false};
        QString error;
        m_adapter = PseudoTerminalPort::create(&error);
        QVERIFY2(m_adapter, qPrintable(error));
    }

    // After "表示(&V)" and before "履歴(&H)", with its items; both usable exactly when the settings
    // menu is, so never during an exchange.
    void toolsMenu_standsAfterTheView_andFollowsTheSettingsMenu()
    {
        WindowFixture fixture;
        QVERIFY(fixture.isValid());
        FrmMain &window = fixture.open();
        const QList<QAction *> top = window.menuBar()->actions();
        QCOMPARE(top.size(), 5);
        QCOMPARE(top.at(2)->text(), u"表示(&V)"_s);
        QCOMPARE(top.at(3)->menu(), window.toolsMenu());
        QCOMPARE(top.at(4)->text(), u"履歴(&H)"_s);
        QCOMPARE(window.toolsMenu()->title(), u"ツール(&T)"_s);
        QCOMPARE(window.toolsMenu()->actions().size(), 2);
        QCOMPARE(window.toolsMenu()->actions().first()->text(), u"シリアルポートの割り当て(&P)..."_s);
        QCOMPARE(window.toolsMenu()->actions().last()->text(), u"ロガーを探す(&F)..."_s);

        Control &settingsMenu = fixture.screen().commands().mnu_Set();
        for (const bool enabled : {false, true, false}) {
            settingsMenu.setEnabled(enabled);
            QCOMPARE(window.toolsMenu()->menuAction()->isEnabled(), enabled);
            QCOMPARE(top.at(4)->isEnabled(), enabled);
        }
    }

    // The buttons with a device chosen and with none: the link, the message and the table.
    void buttons_assignAndRemove_andSaySo()
    {
        QVERIFY(QFile::link(m_adapter->devicePath(), byIdPath()));
        PortAssignmentDialog dialog(m_folders, 4);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), u"シリアルポートの割り当て"_s);
        QCOMPARE(dialog.comNames()->currentText(), u"COM4"_s);
        QCOMPARE(dialog.model().rowCount(), 1);
        QCOMPARE(dialog.table()->currentIndex().row(), 0);
        const QString link = PortNames::linkPath(4, m_folders.ports);

        const struct
        {
            const char16_t *button;
            QString linkTarget; // empty: no link
            QString message;
            QString comNames;
        } clicks[] = {
            {u"cmd_Assign", byIdPath(), u"COM4 を %1 (%2) に割り当てました。"_s.arg(byIdPath(), m_adapter->devicePath()), u"COM4"_s},
            {u"cmd_Unassign", QString(), u"COM4 の割り当て (%1) を解除しました。"_s.arg(byIdPath()), QString()},
            {u"cmd_Unassign", QString(), u"COM4 は割り当てられていません。"_s, QString()},
        };
        for (const auto &click : clicks) {
            QTest::mouseClick(button(dialog, click.button), Qt::LeftButton);
            QCOMPARE(QFileInfo(link).isSymLink() ? QFileInfo(link).symLinkTarget() : QString(), click.linkTarget);
            QCOMPARE(dialog.message()->text(), click.message);
            QCOMPARE(dialog.model().data(dialog.model().index(0, PortTableModel::ComNamesColumn)).toString(), click.comNames);
        }

        dialog.table()->clearSelection();
        dialog.table()->setCurrentIndex({});
        QTest::mouseClick(button(dialog, u"cmd_Assign"), Qt::LeftButton);
        QCOMPARE(dialog.message()->text(), u"割り当てるデバイスを一覧から選んでください。"_s);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // While open, the dialog shows an adapter plugged in, keeps the device chosen, and shows a
    // COM name whose adapter was pulled out as not connected.
    void dialog_followsPlugAndUnplug()
    {
        QVERIFY(QFile::link(m_adapter->devicePath(), byIdPath()));
        PortAssignmentDialog dialog(m_folders, 2);
        dialog.show();
        QTest::mouseClick(button(dialog, u"cmd_Assign"), Qt::LeftButton);
        QCOMPARE(dialog.mapping()->text(), u"現在の割り当て: COM2 → %1 (%2)"_s.arg(byIdPath(), m_adapter->devicePath()));

        QString error;
        std::unique_ptr<PseudoTerminalPort> second = PseudoTerminalPort::create(&error);
        QVERIFY2(second, qPrintable(error));
        QSignalSpy reset(&dialog.model(), &QAbstractItemModel::modelReset);
        QVERIFY(QFile::link(second->devicePath(), QDir(m_folders.byId).filePath(u"usb-Maker_Adapter_Z9-if00-port0"_s)));
        QVERIFY(reset.wait(5000));
        QCOMPARE(dialog.model().rowCount(), 2);
        QCOMPARE(dialog.model().devices().at(dialog.table()->currentIndex().row()).device, m_adapter->devicePath());

        reset.clear();
        m_adapter.reset();
        QFile::remove(byIdPath()); // udev takes the adapter's name away with it
        QVERIFY(reset.wait(5000));
        QCOMPARE(dialog.model().rowCount(), 1);
        QCOMPARE(dialog.mapping()->text(), u"現在の割り当て: COM2 → %1 (接続されていません)"_s.arg(byIdPath()));
    }
};

QTEST_MAIN(TestPortAssignmentDialog)
#include "tst_port_assignment_dialog.moc"
