#include "model/screen_model.h"
#include "support/telvaro_names.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A box listing A, B and C made from sources 3, 4 and 5.
void fill(ChoiceBox &box)
{
    box.addEntry(u"A"_s, 3);
    box.addEntry(u"B"_s, 4);
    box.addEntry(u"C"_s, 5);
}

} // namespace

// The controls of the model: what each operation leaves, and that a view hears of every change
// once and of nothing that changes nothing.
class TestScreenModel : public QObject
{
    Q_OBJECT

private slots:
    void select_showsTheEntry_orNothingOutsideTheList_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("second") << 1 << 1 << u"B"_s;
        QTest::newRow("none") << -1 << -1 << QString();
        QTest::newRow("past the list") << 3 << -1 << QString();
    }

    void select_showsTheEntry_orNothingOutsideTheList()
    {
        QFETCH(int, index);
        QFETCH(int, selected);
        QFETCH(QString, shown);
        ChoiceBox box;
        fill(box);
        box.select(2);
        box.setEditText(u"typed"_s);

        box.select(index);

        QCOMPARE(box.currentIndex(), selected);
        QCOMPARE(box.editText(), shown);
        QCOMPARE(box.currentEntry().has_value(), selected >= 0);
        if (selected >= 0)
            QCOMPARE(box.currentEntry()->source, 4);
    }

    // Unlike a combo box of the toolkit, clearing empties the edit field whatever it held.
    void clear_emptiesListSelectionAndText_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<int>("selected");
        QTest::newRow("typed into an empty box") << false << -1;
        QTest::newRow("typed with no entry selected") << true << -1;
        QTest::newRow("typed over a selected entry") << true << 1;
    }

    void clear_emptiesListSelectionAndText()
    {
        QFETCH(bool, listed);
        QFETCH(int, selected);
        ChoiceBox box;
        if (listed)
            fill(box);
        box.select(selected);
        box.setEditText(u"湿度"_s);

        box.clear();

        QVERIFY(box.entries().isEmpty());
        QCOMPARE(box.currentIndex(), -1);
        QVERIFY(box.editText().isEmpty());
        QCOMPARE(box.indexOfSource(4), -1);
    }

    void lockAndUnlock_changeEnabledStateAndColourButNotText()
    {
        TextField field;
        field.setText(u"alarm1@example.jp"_s);
        field.lock();
        QVERIFY(!field.isEnabled());
        QCOMPARE(field.colour(), FieldColour::ButtonFace);
        field.unlock();
        QVERIFY(field.isEnabled());
        QCOMPARE(field.colour(), FieldColour::White);
        QCOMPARE(field.text(), u"alarm1@example.jp"_s);
    }

    void everyChange_isReportedOnce_andNoChangeNotAtAll()
    {
        ChoiceBox box;
        QSignalSpy changes(&box, &Control::changed);
        box.clear();
        box.select(0);
        box.setEnabled(true);
        box.setColour(FieldColour::ButtonFace);
        box.setEditText(QString());
        QCOMPARE(changes.count(), 0);

        fill(box);
        box.select(1);
        box.select(1);
        box.setEditText(u"B"_s);
        box.unlock();
        box.unlock();
        QCOMPARE(changes.count(), 3 + 1 + 1); // three entries, one selection, white

        ScreenModel screen;
        QSignalSpy status(&screen, &ScreenModel::statusTextSet);
        QSignalSpy log(&screen, &ScreenModel::logChanged);
        screen.setStatusText(u"読込完了"_s);
        screen.setStatusText(u"読込完了"_s);
        screen.appendLog(u"AT\r\n"_s);
        screen.appendLog(QString());
        screen.clearLog();
        screen.clearLog();
        QCOMPARE(status.count(), 2); // a repeated report is one all the same
        QCOMPARE(log.count(), 2);
    }
};

QTEST_MAIN(TestScreenModel)
#include "tst_screen_model.moc"
