#include "model/auth_type_selection.h"
#include "model/screen_model.h"
#include "model/show_connection.h"
#include "state/settings_state.h"
#include "support/telvaro_names.h"

#include <QTest>

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
        ScreenModel screen;
        ShowConnection(state, screen);

        pickAuthType(state, screen, entry);

        QCOMPARE(screen.authType().AuthLabel().caption(), caption);
        QCOMPARE(screen.authType().setObserbox().currentIndex(), entry);
    }

    void pickOutsideTheList_changesNothing_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("entry");
        QTest::newRow("entry -1") << true << -1;
        QTest::newRow("entry 4") << true << 4;
        QTest::newRow("before any read") << false << 0;
    }

    void pickOutsideTheList_changesNothing()
    {
        QFETCH(bool, read);
        QFETCH(int, entry);
        SettingsState state = readWithTypes({0, 1, 2, 3}, {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        state.EepConnect.at(12) = u"1"_s;
        ScreenModel screen;
        if (read)
            ShowConnection(state, screen);
        const QString before = screen.authType().AuthLabel().caption();

        pickAuthType(state, screen, entry);

        QCOMPARE(screen.authType().AuthLabel().caption(), before);
        QCOMPARE(screen.authType().setObserbox().currentIndex(), read ? 1 : -1);
    }
};

QTEST_MAIN(TestAuthSelector)
#include "tst_auth_selector.moc"
