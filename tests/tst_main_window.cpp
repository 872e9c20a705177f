#include "support/test_files.h"
#include "support/widgets/modal_watcher.h"
#include "support/widgets/window_fixture.h"
#include "widgets/field_paint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int kWindow = -1; // placed on the window itself, not on a page

QRect px(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture<>> m_fixture;
    FrmMain *m_window = nullptr;

    template<typename Widget = QWidget>
    Widget *control(const QString &name) const
    {
        return m_window->findChild<Widget *>(name);
    }

    // One row of the layout table.
    static void addControl(const QString &name, const QString &kind, const QString &caption, int page,
                           const QRect &geometry, bool enabled = true, bool shown = true,
                           const QString &look = QString(), qreal points = 9.0)
    {
        QTest::newRow(qPrintable(name)) << name << kind << caption << page << geometry << enabled << shown << look
                                        << points;
    }

private slots:
    void initTestCase()
    {
        m_fixture = std::make_unique<WindowFixture<>>();
        QVERIFY(m_fixture->isValid());
        // env.dat is read from the current folder when the window loads.
        writeFile(QStringLiteral("env.dat"), QByteArray::fromHex("03000700"));

        m_fixture->state().ApnAuthEnabled = kTrue;
        m_window = &m_fixture->open();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase()
    {
        m_fixture.reset();
    }

    void everyControl_standsWhereTheLayoutHasIt_inItsOpeningState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("page");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("look"); // ground colour of a heading, or "buttonFace" for a field
        QTest::addColumn<qreal>("points");

        const QString none;
        addControl(QStringLiteral("SSTab2"), QStringLiteral("tabs"), none, kWindow, px(120, 120, 7845, 6615));
        addControl(indexed("Command1", 0), QStringLiteral("button"), QStringLiteral("設定値読込"), kWindow,
                   px(8040, 240, 1455, 615));
        addControl(indexed("Command1", 1), QStringLiteral("button"), QStringLiteral("設定値書込"), kWindow,
                   px(8040, 1080, 1455, 615), false);
        addControl(indexed("Command1", 2), QStringLiteral("button"), QStringLiteral("設定値保存"), kWindow,
                   px(8040, 1920, 1455, 615), false, false);
        addControl(indexed("Command1", 3), QStringLiteral("button"), QStringLiteral("終了"), kWindow,
                   px(8040, 3600, 1455, 615));
        addControl(QStringLiteral("rtxt_Box"), QStringLiteral("log"), none, kWindow, px(8040, 4440, 1455, 2175), true,
                   false);
        addControl(QStringLiteral("sts_Main"), QStringLiteral("status"), none, kWindow, px(0, 6810, 9675, 375));

        // Page 0: headings, then sixteen rows; the lower limit column is headed by index 5.
        const struct
        {
            int index;
            QString caption;
            int left;
            int width;
        } headings[] = {{0, QStringLiteral("ChNo"), 120, 495},          {1, QStringLiteral("要素名"), 600, 2175},
                        {2, QStringLiteral("単位"), 2760, 615},         {3, QStringLiteral("フォーマット"), 3360, 975},
                        {5, QStringLiteral("警報下限値"), 4320, 1455}, {4, QStringLiteral("警報上限値"), 5760, 1455}};
        for (const auto &heading : headings)
            addControl(indexed("Label4", heading.index), QStringLiteral("framedCentred"), heading.caption, 0,
                       px(heading.left, 480, heading.width, 255), true, true, QStringLiteral("#ff8000"));
        for (int r = 0; r < 16; ++r) {
            const int top = 720 + 360 * r;
            addControl(indexed("Label1", r), QStringLiteral("framed"), none, 0, px(120, top, 495, 255));
            addControl(indexed("Combo1", r), QStringLiteral("editableCombo"), none, 0, px(600, top, 2175, 300), true,
                       true, QStringLiteral("buttonFace"));
            addControl(indexed("Label2", r), QStringLiteral("framed"), none, 0, px(2760, top, 615, 255));
            addControl(indexed("Label3", r), QStringLiteral("framed"), none, 0, px(3360, top, 975, 255));
            addControl(indexed("Text1", r), QStringLiteral("text"), none, 0, px(4320, top, 1455, 270), true, true,
                       QStringLiteral("buttonFace"));
            addControl(indexed("Text2", r), QStringLiteral("text"), none, 0, px(5760, top, 1455, 270), true, true,
                       QStringLiteral("buttonFace"));
        }

        // Pages 1 and 2: six mail addresses each.
        const struct
        {
            int page;
            int firstHeading;
            const char *rowLabel;
            const char *field;
            QString ground;
        } mailPages[] = {{1, 6, "Label5", "Text4", QStringLiteral("#00c000")},
                         {2, 8, "Label6", "Text5", QStringLiteral("#0000ff")}};
        for (const auto &mail : mailPages) {
            addControl(indexed("Label4", mail.firstHeading), QStringLiteral("framedCentred"), QStringLiteral("No"),
                       mail.page, px(120, 480, 495, 255), true, true, mail.ground);
            addControl(indexed("Label4", mail.firstHeading + 1), QStringLiteral("framedCentred"),
                       QStringLiteral("メールアドレス"), mail.page, px(600, 480, 6495, 255), true, true, mail.ground);
            for (int k = 0; k < 6; ++k) {
                const int top = 720 + 480 * k;
                addControl(indexed(mail.rowLabel, k), QStringLiteral("framedCentred"), QString::number(k + 1),
                           mail.page, px(120, top, 495, 375), true, true, mail.ground, 11.25);
                addControl(indexed(mail.field, k), QStringLiteral("text"), none, mail.page, px(600, top, 6495, 375),
                           false, true, QStringLiteral("buttonFace"), 11.25);
            }
        }

        // Page 3: the APN row on top is Text3(10), the DNS2 row at the bottom Text3(9).
        const struct
        {
            int label;
            QString caption;
            int labelWidth;
            int field;
        } rows[] = {{9, QStringLiteral("APN"), 1335, 10},          {0, QStringLiteral("LoginID"), 735, 0},
                    {1, QStringLiteral("LoginPass"), 975, 1},      {11, QStringLiteral("Auth"), 975, -1},
                    {2, QStringLiteral("TelNo"), 975, 2},          {3, QStringLiteral("POPID"), 975, 3},
                    {4, QStringLiteral("POPPASS"), 975, 4},        {5, QStringLiteral("POPSERVER"), 1335, 5},
                    {6, QStringLiteral("SMTPSERVER"), 1335, 6},    {7, QStringLiteral("FromAddress"), 1335, 7},
                    {8, QStringLiteral("DNS1"), 1335, 8},          {10, QStringLiteral("DNS2"), 1335, 9}};
        for (int i = 0; i < 12; ++i) {
            const int top = 720 + 480 * i;
            addControl(indexed("Label7", rows[i].label), QStringLiteral("label"), rows[i].caption, 3,
                       px(360, top + 120, rows[i].labelWidth, 375));
            if (rows[i].field < 0)
                addControl(QStringLiteral("setObserbox"), QStringLiteral("editableCombo"), none, 3,
                           px(1560, top, 1455, 300), false, true, QStringLiteral("buttonFace"));
            else
                addControl(indexed("Text3", rows[i].field), QStringLiteral("text"), none, 3, px(1560, top, 4335, 375),
                           false, true, QStringLiteral("buttonFace"));
        }
        addControl(QStringLiteral("AuthLabel"), QStringLiteral("framed"), none, 3, px(3120, 2280, 1215, 255), true,
                   false);
    }

    void everyControl_standsWhereTheLayoutHasIt_inItsOpeningState()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(int, page);
        QFETCH(QRect, geometry);
        QFETCH(bool, enabled);
        QFETCH(bool, shown);
        QFETCH(QString, look);
        QFETCH(qreal, points);

        const QList<QWidget *> found = m_window->findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        QWidget *widget = found.first();
        auto *tabs = control<QTabWidget>(QStringLiteral("SSTab2"));

        if (page == kWindow) {
            const QPoint clientOrigin = m_window->centralWidget()->pos();
            QCOMPARE(QRect(widget->mapTo(m_window, QPoint()) - clientOrigin, widget->size()), geometry);
        } else {
            QVERIFY(tabs->widget(page)->isAncestorOf(widget));
            QCOMPARE(QRect(widget->mapTo(tabs, QPoint()), widget->size()), geometry);
        }
        QCOMPARE(widget->isEnabled(), enabled);
        QCOMPARE(!widget->isHidden(), shown);
        QCOMPARE(widget->font().pointSizeF(), points);
        QCOMPARE(widget->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));

        if (kind == QLatin1String("button")) {
            QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), caption);
        } else if (kind.startsWith(QLatin1String("framed")) || kind == QLatin1String("label")) {
            auto *label = qobject_cast<QLabel *>(widget);
            QVERIFY(label);
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->frameShape(), kind == QLatin1String("label") ? QFrame::NoFrame : QFrame::Box);
            QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), kind == QLatin1String("framedCentred"));
        } else if (kind == QLatin1String("text")) {
            auto *field = qobject_cast<QLineEdit *>(widget);
            QVERIFY(field);
            QVERIFY(field->text().isEmpty());
            QCOMPARE(field->maxLength(), QLineEdit().maxLength());
            QCOMPARE(field->echoMode(), QLineEdit::Normal);
        } else if (kind == QLatin1String("editableCombo")) {
            auto *combo = qobject_cast<QComboBox *>(widget);
            QVERIFY(combo);
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->count(), 0);
            QVERIFY(combo->currentText().isEmpty());
        } else if (kind == QLatin1String("log")) {
            QVERIFY(qobject_cast<QPlainTextEdit *>(widget));
            QVERIFY(qobject_cast<QPlainTextEdit *>(widget)->toPlainText().isEmpty());
        } else if (kind == QLatin1String("status")) {
            QCOMPARE(widget, m_window->statusBar());
        } else {
            QCOMPARE(widget, static_cast<QWidget *>(tabs));
        }

        if (look == QLatin1String("buttonFace")) {
            QCOMPARE(fieldColour(widget), FieldColour::ButtonFace);
        } else if (!look.isEmpty()) {
            QCOMPARE(widget->palette().color(QPalette::Window), QColor(look));
            QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(widget->autoFillBackground());
        }
    }

    void window_hasItsCaption_andAFixedClientAreaBelowTheMenu()
    {
        QCOMPARE(m_window->windowTitle(),
                 QStringLiteral("Telvaro Eメールモデル　設定ソフト Ver3.0 SIM対応版  for Amberlyn"));
        QCOMPARE(m_window->objectName(), QStringLiteral("frm_Main"));
        const int menuHeight = m_window->menuBar()->height();
        QCOMPARE(m_window->size(), QSize(645, menuHeight + 479));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    }

    void tabs_areFourBoldCaptions_onOneStrip_openingOnTheConnectionPage()
    {
        auto *tabs = control<QTabWidget>(QStringLiteral("SSTab2"));
        QCOMPARE(tabs->count(), 4);
        const QStringList captions{QStringLiteral("警報値設定"), QStringLiteral("警報送信先アドレス"),
                                   QStringLiteral("データ送信先アドレス"), QStringLiteral("接続設定")};
        for (int page = 0; page < 4; ++page) {
            QCOMPARE(tabs->tabText(page), captions.at(page));
            QCOMPARE(tabs->tabBar()->tabRect(page).top(), tabs->tabBar()->tabRect(0).top());
        }
        QVERIFY(tabs->tabBar()->font().bold());
        QCOMPARE(tabs->tabBar()->font().pointSizeF(), 9.0);
        QCOMPARE(tabs->currentIndex(), 3);
        QCOMPARE(tabs->tabBar()->height(), qRound(295 / 15.0));
    }

    void menu_holdsThePortSettingsItem()
    {
        const QList<QAction *> top = m_window->menuBar()->actions();
        QCOMPARE(top.size(), 5);
        QCOMPARE(top.at(3)->text(), QStringLiteral("ツール(&T)"));
        QCOMPARE(top.at(4)->text(), QStringLiteral("履歴(&H)"));
        QCOMPARE(top.at(1)->text(), QStringLiteral("通信設定(&S)"));
        QVERIFY(top.at(1)->isEnabled());
        QMenu *menu = top.at(1)->menu();
        QCOMPARE(menu, m_window->controls().mnu_Set);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("COMポート＆通信速度(&C)"));
        QCOMPARE(menu->actions().first()->objectName(), QStringLiteral("mnu_Setitem(0)"));
    }

    // Settings files have a menu of their own, before the settings menu.
    void fileMenu_standsFirst_withItsItems()
    {
        QMenu *menu = m_window->menuBar()->actions().first()->menu();
        QCOMPARE(menu->title(), QStringLiteral("ファイル(&F)"));
        QVERIFY(menu->menuAction()->isEnabled());
        QStringList items;
        for (const QAction *action : menu->actions())
            items << action->text() + u'|' + action->shortcut().toString();
        QCOMPARE(items, (QStringList{QStringLiteral("設定ファイルを開く(&O)...|Ctrl+O"),
                                     QStringLiteral("設定ファイルに保存(&A)...|Ctrl+S"),
                                     QStringLiteral("設定ファイルと比較(&C)...|")}));
    }

    void limitFields_takeFocusRowByRow_lowerBeforeUpper()
    {
        const ScreenControls &c = m_window->controls();
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(c.Text1[r]->nextInFocusChain(), c.Text2[r]);
            if (r < 15)
                QCOMPARE(c.Text2[r]->nextInFocusChain(), c.Text1[r + 1]);
        }
    }

    void controls_holdTheScreensWidgetsUnderTheirIndexes()
    {
        const ScreenControls &c = m_window->controls();
        QCOMPARE(c.SSTab2, control<QTabWidget>(QStringLiteral("SSTab2")));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(c.Command1[i], control<QPushButton>(indexed("Command1", i)));
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(c.Label1[r], control<QLabel>(indexed("Label1", r)));
            QCOMPARE(c.Combo1[r], control<QComboBox>(indexed("Combo1", r)));
            QCOMPARE(c.Label2[r], control<QLabel>(indexed("Label2", r)));
            QCOMPARE(c.Label3[r], control<QLabel>(indexed("Label3", r)));
            QCOMPARE(c.Text1[r], control<QLineEdit>(indexed("Text1", r)));
            QCOMPARE(c.Text2[r], control<QLineEdit>(indexed("Text2", r)));
        }
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(c.Text4[k], control<QLineEdit>(indexed("Text4", k)));
            QCOMPARE(c.Text5[k], control<QLineEdit>(indexed("Text5", k)));
        }
        for (int k = 0; k < 11; ++k)
            QCOMPARE(c.Text3[k], control<QLineEdit>(indexed("Text3", k)));
        QCOMPARE(c.setObserbox, control<QComboBox>(QStringLiteral("setObserbox")));
        QCOMPARE(c.AuthLabel, control<QLabel>(QStringLiteral("AuthLabel")));
    }

    void load_takesPortAuthTypesAndClearsTheApnFlag()
    {
        QCOMPARE(m_window->portChoice(), (PortChoice{3, 7}));
        const SettingsState &state = m_fixture->state();
        QCOMPARE(state.ApnAuthEnabled, kFalse);
        QCOMPARE(state.AuthCodes.at(2), qint16(2));
        QCOMPARE(state.AuthNames.at(0), QStringLiteral("なし"));
        QCOMPARE(state.AuthNames.at(3), QStringLiteral("PAP/CHAP"));
    }

    void statusText_isShownInTheSixThousandTwipPanel()
    {
        auto *panel = control<QLabel>(QStringLiteral("sts_Main.Panels(1)"));
        QVERIFY(panel);
        QVERIFY(panel->text().isEmpty());
        QCOMPARE(panel->width(), 400);
        m_fixture->screen().setStatusText(QStringLiteral("読込完了"));
        QCOMPARE(panel->text(), QStringLiteral("読込完了"));
        m_fixture->screen().setStatusText(QString());
        QVERIFY(panel->text().isEmpty());
    }

    void log_showsEveryCharacter_andClears()
    {
        auto *box = control<QPlainTextEdit>(QStringLiteral("rtxt_Box"));
        ScreenModel &screen = m_fixture->screen();
        screen.appendLog(QStringLiteral("CONNECT\r\n"));
        screen.appendLog(QStringLiteral("READY"));
        screen.appendLog(QStringLiteral("\r\nOK\r\n"));
        QCOMPARE(screen.logText(), QStringLiteral("CONNECT\r\nREADY\r\nOK\r\n"));
        QVERIFY(box->toPlainText().contains(QStringLiteral("READY")));
        QVERIFY(box->isHidden());
        screen.clearLog();
        QVERIFY(box->toPlainText().isEmpty());
    }

    void message_isAModalBoxWithOneOkButtonAndNoIcon()
    {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::Critical;
        QList<QAbstractButton *> buttons;
        ModalWatcher operatorAtTheScreen([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->buttons();
            box->button(QMessageBox::Ok)->click();
        });
        m_window->showMessage(QStringLiteral("通信ポートを開けません。"));

        QCOMPARE(operatorAtTheScreen.openedCount(), 1);
        QCOMPARE(text, QStringLiteral("通信ポートを開けません。"));
        QCOMPARE(title, m_window->windowTitle());
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons.size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
