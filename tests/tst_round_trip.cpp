#include "files/env_file.h"
#include "support/exchange_timing.h"
#include "support/simulated_logger_fixture.h"
#include "support/widgets/operator_input.h"
#include "support/widgets/modal_watcher.h"
#include "support/widgets/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

// The tool as an operator uses it: the real window, the real serial port, the simulated logger,
// at the pace of the exchange tests.
class TestRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void readEditWriteRead_throughTheWindow()
    {
        QTemporaryDir loggerDir;
        const SimulatedLoggerOptions options{.settingsFile = loggerDir.filePath(QStringLiteral("logger.txt"))};
        SimulatedLoggerFixture logger(options.scaled(kWindowTestTimeScale));
        QVERIFY2(logger.isValid(), qPrintable(logger.errorString()));
        WindowFixture fixture(TempAppFolder::allInstallFiles(), logger.portsFolder());
        QVERIFY(fixture.isValid());
        QVERIFY(SaveEnv(PortChoice{0, 5})); // COM1 at 9600 bit/s
        FrmMain &window = fixture.open();
        fixture.session().setTimings(ExchangeTimings{}.scaled(kWindowTestTimeScale));
        const SettingsState &state = fixture.state();
        const ScreenControls &controls = window.controls();
        ModalWatcher operatorAtTheScreen;
        QLabel *status = controls.statusPanel;

        QTest::mouseClick(controls.Command1.at(0), Qt::LeftButton);

        QVERIFY(fixture.exchangeEnds());
        QCOMPARE(status->text(), QStringLiteral("読込完了"));
        QVERIFY(operatorAtTheScreen.messageTexts().isEmpty());
        QVERIFY(controls.Command1.at(1)->isEnabled());
        QVERIFY(controls.SSTab2->isEnabled());
        QCOMPARE(controls.Text3.at(10)->text(), logger.logger().value(QStringLiteral("CAAPN")));

        // The operator edits: another element on row 1, a limit typed in full width, an address,
        // another authentication type.
        controls.SSTab2->setCurrentIndex(0);
        pickComboEntry(controls.Combo1.at(1), 1);
        const QString pickedCode = state.ChannelCode.at(1);
        QVERIFY(pickedCode != logger.logger().value(QStringLiteral("mode1")));
        controls.Text1.at(0)->clear();
        controls.Text1.at(0)->insert(QStringLiteral("－１２．５"));
        controls.SSTab2->setCurrentIndex(2);
        controls.Text5.at(2)->setText(QStringLiteral("ｎｅｗ＠example.jp"));
        controls.SSTab2->setCurrentIndex(3);
        pickComboEntry(controls.setObserbox, 3);
        QCOMPARE(controls.AuthLabel->text(), QString::number(state.AuthCodes.at(3)));

        QTest::mouseClick(controls.Command1.at(1), Qt::LeftButton);

        QVERIFY(fixture.exchangeEnds());
        QCOMPARE(operatorAtTheScreen.messageTexts(), QStringList{QStringLiteral("設定の書き込みに成功しました。")});
        QCOMPARE(status->text(), QStringLiteral("書込完了"));
        QVERIFY(controls.Command1.at(0)->isEnabled());
        QCOMPARE(logger.logger().value(QStringLiteral("mode1")), pickedCode);
        QCOMPARE(logger.logger().value(QStringLiteral("ALARM0")), QStringLiteral("-12.5"));
        QCOMPARE(logger.logger().value(QStringLiteral("CADATAADDRESS3")), QStringLiteral("new@example.jp"));
        QCOMPARE(logger.logger().value(QStringLiteral("CAAUTHTYPE")), QString::number(state.AuthCodes.at(3)));
        QVERIFY(fixture.screen().logText().startsWith(QStringLiteral("AT\r\nCONNECT\r\nREADY\r\nCAON\r\nOK\r\nmode0=")));

        // A fresh screen read back from the logger shows what was written.
        controls.Text1.at(0)->clear();
        QTest::mouseClick(controls.Command1.at(0), Qt::LeftButton);
        QVERIFY(fixture.exchangeEnds());
        QCOMPARE(status->text(), QStringLiteral("読込完了"));
        QCOMPARE(controls.Text1.at(0)->text(), QStringLiteral("-12.5"));
        QCOMPARE(state.ChannelCode.at(1), pickedCode);
        QCOMPARE(controls.Combo1.at(1)->currentIndex(), 1);
        QCOMPARE(controls.Text5.at(2)->text(), QStringLiteral("new@example.jp"));
        QCOMPARE(controls.setObserbox->currentText(), state.AuthNames.at(3));
    }

    void failedRead_leavesReadAndExitUsable_andThePortClosed()
    {
        const SimulatedLoggerOptions options{.dropRepliesContaining = "CAALARMADDRESS2?"};
        SimulatedLoggerFixture logger(options.scaled(kWindowTestTimeScale));
        QVERIFY(logger.isValid());
        WindowFixture fixture(TempAppFolder::allInstallFiles(), logger.portsFolder());
        QVERIFY(fixture.isValid());
        QVERIFY(SaveEnv(PortChoice{0, 5}));
        FrmMain &window = fixture.open();
        fixture.session().setTimings(ExchangeTimings{}.scaled(kWindowTestTimeScale));
        ModalWatcher operatorAtTheScreen;

        QTest::mouseClick(window.controls().Command1.at(0), Qt::LeftButton);

        QVERIFY(fixture.exchangeEnds());
        QCOMPARE(operatorAtTheScreen.messageTexts(), QStringList{QStringLiteral("通信ポートを開けません。")});
        QVERIFY(!fixture.comPort().isOpen());
        QVERIFY(window.controls().Command1.at(0)->isEnabled());
        QVERIFY(window.controls().Command1.at(3)->isEnabled());
        QVERIFY(!window.controls().Command1.at(1)->isEnabled());
        QVERIFY(!window.isBusy());
    }
};

QTEST_MAIN(TestRoundTrip)
#include "tst_round_trip.moc"
