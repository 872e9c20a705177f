// Linked without any widget: the read and the write run on the screen model alone.
#if defined(QT_WIDGETS_LIB) || defined(QT_GUI_LIB)
#error "the exchange must run without a screen: nothing here may link Qt Widgets or Qt Gui"
#endif

#include "model/auth_type_selection.h"
#include "model/channel_row_editing.h"
#include "support/sequence_rig.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestHeadlessExchange : public QObject
{
    Q_OBJECT

private slots:
    void readEditWriteRead_onTheModelAlone()
    {
        QTemporaryDir loggerDir;
        const SimulatedLoggerOptions options{.settingsFile = loggerDir.filePath(u"logger.txt"_s)};
        // Not a test of timing: a pace at which a loaded machine answers in time.
        SequenceRig rig(options, 0.25);
        QVERIFY(rig.isValid());
        ScreenModel &screen = rig.model();
        SettingsState &state = rig.state();

        rig.read();
        QCOMPARE(screen.statusText(), u"読込完了"_s);
        QVERIFY(screen.commands().Command1(CommandControls::Write).isEnabled());

        // The operator's edits, made on the model: an element, a limit, an address, a type.
        pickChannelElement(state, screen, 2, 2);
        const QString element = state.ChannelCode.at(2);
        screen.channelRow(0).Text2().setText(u"８０．５"_s);
        screen.alarmAddresses().Text4(5).setText(u"night@example.jp"_s);
        pickAuthType(state, screen, 1);

        rig.write();
        QCOMPARE(rig.screen().messages(), QStringList{u"設定の書き込みに成功しました。"_s});
        QCOMPARE(rig.logger().value(u"mode2"_s), element);
        QCOMPARE(rig.logger().value(u"ALARM1"_s), u"80.5"_s);

        // A fresh screen, read back from the logger.
        rig.connectNewLogger(options);
        screen.channelRow(0).Text2().setText(QString());
        rig.read();
        QCOMPARE(screen.channelRow(2).Combo1().currentIndex(), 2);
        QCOMPARE(state.ChannelCode.at(2), element);
        QCOMPARE(screen.channelRow(0).Text2().text(), u"80.5"_s);
        QCOMPARE(screen.alarmAddresses().Text4(5).text(), u"night@example.jp"_s);
        QCOMPARE(screen.authType().setObserbox().editText(), state.AuthNames.at(1));
        QCOMPARE(screen.authType().AuthLabel().caption(), QString::number(state.AuthCodes.at(1)));
    }
};

QTEST_MAIN(TestHeadlessExchange)
#include "tst_headless_exchange.moc"
