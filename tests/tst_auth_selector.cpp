#include "state/settings_state.h"
#include "support/combo_pick.h"
#include "support/screen_controls_fixture.h"
#include "widgets/editing_handlers.h"
#include "widgets/show_connection.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Types read from auth.ini; the read found an APN item and code 0.
SettingsState readWithTypes(const QList<qint16> &codes, const QStringList &names)
{
    SettingsState state;
    for (int k = 0; k < codes.size(); ++k) {
        state.AuthCodes.at(k) = codes.at(k);
        state.AuthNames.at(k) = names.at(k);
    }
    state.EepConnect.at(11) = u"apn"_s;
    state.EepConnect.at(12) = u"0"_s;
    return state;
}

} // namespace

class TestAuthSelector : public QObject
{
    Q_OBJECT

private slots:
    void pickedType_putsItsCodeIntoAuthLabel_data()
    {
        QTest::addColumn<QList<qint16>>("codes");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("third entry") << QList<qint16>{0, 1, 2, 3} << 2 << u"2"_s;
        QTest::newRow("negative code") << QList<qint16>{0, 1, -1, 3} << 2 << u"-1"_s;
        QTest::newRow("unfilled entry") << QList<qint16>{5, 6} << 3 << u"0"_s;
    }

    void pickedType_putsItsCodeIntoAuthLabel()
    {
        QFETCH(QList<qint16>, codes);
        QFETCH(int, entry);
        QFETCH(QString, caption);
        const QStringList names{u"なし"_s, u"PAP"_s, u"CHAP"_s, u"PAP/CHAP"_s};
        SettingsState state = readWithTypes(codes, names.first(codes.size()));
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowConnection(state, c);
        connectEditingHandlers(state, c);

        pickComboEntry(c.setObserbox, entry);

        QCOMPARE(c.AuthLabel->text(), caption);
    }

    void typing_leavesTheCodeUnchanged_andAddsNoEntry()
    {
        SettingsState state = readWithTypes({0, 1, 2, 3}, {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        ScreenControlsFixture fixture;
        const ScreenControls &c = fixture.controls();
        ShowConnection(state, c);
        connectEditingHandlers(state, c);

        c.setObserbox->lineEdit()->selectAll();
        QTest::keyClicks(c.setObserbox->lineEdit(), u"CHAP"_s);
        QTest::keyClick(c.setObserbox->lineEdit(), Qt::Key_Return);

        QCOMPARE(c.AuthLabel->text(), u"0"_s);
        QCOMPARE(c.setObserbox->count(), 4);
    }
};

QTEST_MAIN(TestAuthSelector)
#include "tst_auth_selector.moc"
