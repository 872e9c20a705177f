#include "support/widgets/logger_bench.h"
#include "support/widgets/scripted_operator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Values that look plainly wrong are the operator's to confirm before a write sends anything.
class TestWriteQuestion : public QObject
{
    Q_OBJECT

private slots:
    void valuesThatLookWrong_areAskedAbout_noSendingNothing_data()
    {
        QTest::addColumn<QString>("lowerLimit");
        QTest::addColumn<QString>("dns");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("findings"); // empty: no question
        QTest::addColumn<bool>("written");

        const QStringList findings = {u"警報下限値 1 (ALARM0): 「1O」は10進数ではありません"_s,
                                      u"DNS1 (CADNS1): 「192.0.2.300」は 192.168.0.1 のようなIPv4アドレスではありません"_s};
        QTest::newRow("every value passes") << u"-5"_s << u"192.0.2.30"_s << false << QStringList() << true;
        QTest::newRow("いいえ") << u"1O"_s << u"192.0.2.300"_s << false << findings << false;
        QTest::newRow("はい") << u"1O"_s << u"192.0.2.300"_s << true << findings << true;
    }

    void valuesThatLookWrong_areAskedAbout_noSendingNothing()
    {
        QFETCH(QString, lowerLimit);
        QFETCH(QString, dns);
        QFETCH(bool, yes);
        QFETCH(QStringList, findings);
        QFETCH(bool, written);
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen({}, yes);
        const ScreenControls &c = bench.controls();
        QVERIFY(bench.read());
        const QString logOfTheRead = bench.fixture().screen().logText();
        c.Text1.at(0)->setText(lowerLimit);
        c.Text3.at(8)->setText(dns);

        QTest::mouseClick(c.Command1.at(1), Qt::LeftButton);
        QVERIFY(bench.fixture().exchangeEnds());

        QList<ScriptedOperator::SeenBox> boxes = operatorAtTheScreen.boxes();
        if (!findings.isEmpty()) {
            QVERIFY(!boxes.isEmpty());
            const ScriptedOperator::SeenBox question = boxes.takeFirst();
            QVERIFY(question.question);
            QVERIFY(question.noIsDefault);
            QCOMPARE(question.text, u"次の値は正しくないようです。このまま書き込みますか？"_s);
            QCOMPARE(question.informative.split(u'\n'), findings);
        }
        if (written) {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes.first().text, u"設定の書き込みに成功しました。"_s);
            QCOMPARE(bench.logger().value(u"ALARM0"_s), lowerLimit);
            QCOMPARE(bench.logger().value(u"CADNS1"_s), dns);
            return;
        }
        // Back to editing: nothing built, nothing sent, the screen usable and as it was.
        QVERIFY(boxes.isEmpty());
        QCOMPARE(c.statusPanel->text(), u"書込を中止しました"_s);
        QVERIFY(!QFileInfo::exists(bench.fixture().appDir().filePath(u"Arm.eep"_s)));
        QCOMPARE(bench.fixture().screen().logText(), logOfTheRead);
        QCOMPARE(bench.logger().value(u"ALARM0"_s), u"-10.0"_s);
        QVERIFY(!bench.fixture().comPort().isOpen());
        for (QPushButton *button : {c.Command1.at(0), c.Command1.at(1), c.Command1.at(3)})
            QVERIFY(button->isEnabled());
        QVERIFY(c.SSTab2->isEnabled());
        QVERIFY(c.Text3.at(8)->isEnabled());
        QCOMPARE(c.Text1.at(0)->text(), lowerLimit);
        QCOMPARE(c.Text3.at(8)->text(), dns);
    }

    // Many values that look wrong: the first dozen in the box, the whole list behind the details.
    void manyFindings_showTheFirstDozen_andTheRestBehindTheDetails()
    {
        LoggerBench bench;
        QVERIFY(bench.isValid());
        ScriptedOperator operatorAtTheScreen({}, false);
        const ScreenControls &c = bench.controls();
        QVERIFY(bench.read());
        for (QLineEdit *address : c.Text4)
            address->setText(u"no-at-sign"_s);
        for (QLineEdit *address : c.Text5)
            address->setText(u"no-at-sign"_s);
        c.Text3.at(8)->setText(u"dns1"_s);
        c.Text3.at(9)->setText(u"dns2"_s);
        const QString addressBefore = bench.logger().value(u"CAALARMADDRESS1"_s);

        QTest::mouseClick(c.Command1.at(1), Qt::LeftButton);
        QVERIFY(bench.fixture().exchangeEnds());

        QCOMPARE(operatorAtTheScreen.boxes().size(), 1);
        const ScriptedOperator::SeenBox &question = operatorAtTheScreen.boxes().first();
        const QStringList shown = question.informative.split(u'\n');
        const QStringList all = question.details.split(u'\n');
        QCOMPARE(all.size(), 14); // twelve addresses, two DNS servers
        QCOMPARE(shown.mid(0, 12), all.mid(0, 12));
        QCOMPARE(shown.mid(12), QStringList{u"ほか 2 件"_s});
        QCOMPARE(bench.logger().value(u"CAALARMADDRESS1"_s), addressBefore); // "いいえ": nothing sent
    }
};

QTEST_MAIN(TestWriteQuestion)
#include "tst_write_question.moc"
