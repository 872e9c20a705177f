#include "link/qt_serial_line.h"
#include "state/settings_state.h"
#include "support/temp_app_folder.h"
#include "widgets/field_paint.h"
#include "widgets/frm_main.h"
#include "widgets/screen_lock.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestScreenLock : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_currentFolder;
    QString m_previousFolder;
    TempAppFolder m_appDir;
    AppFolder m_appFolder = m_appDir.appFolder();
    QtSerialLine m_comPort; // never opened here
    SettingsState m_state;
    std::unique_ptr<FrmMain> m_window;

    const ScreenControls &c() const { return m_window->controls(); }

    QList<QWidget *> mailAndConnectionFields() const
    {
        QList<QWidget *> fields;
        for (QLineEdit *field : c().Text4)
            fields << field;
        for (QLineEdit *field : c().Text5)
            fields << field;
        for (int k = 0; k < 10; ++k)
            fields << c().Text3[k];
        return fields;
    }

    // Every field and the selector hold a text of their own.
    void fillTexts() const
    {
        for (int k = 0; k < 6; ++k) {
            c().Text4[k]->setText(QStringLiteral("alarm%1@example.jp").arg(k));
            c().Text5[k]->setText(QStringLiteral("data%1@example.jp").arg(k));
        }
        for (int k = 0; k < 11; ++k)
            c().Text3[k]->setText(QStringLiteral("項目%1").arg(k));
        c().setObserbox->addItems({QStringLiteral("なし"), QStringLiteral("PAP")});
        c().setObserbox->setCurrentIndex(1);
        c().Text1[0]->setText(QStringLiteral("-10.0"));
    }

    void verifyTextsKept() const
    {
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(c().Text4[k]->text(), QStringLiteral("alarm%1@example.jp").arg(k));
            QCOMPARE(c().Text5[k]->text(), QStringLiteral("data%1@example.jp").arg(k));
        }
        for (int k = 0; k < 11; ++k)
            QCOMPARE(c().Text3[k]->text(), QStringLiteral("項目%1").arg(k));
        QCOMPARE(c().setObserbox->currentText(), QStringLiteral("PAP"));
        QCOMPARE(c().Text1[0]->text(), QStringLiteral("-10.0"));
    }

    static bool isLocked(const QWidget *field)
    {
        return !field->isEnabled() && fieldColour(field) == FieldColour::ButtonFace;
    }

    static bool isUnlocked(const QWidget *field)
    {
        return field->isEnabled() && fieldColour(field) == FieldColour::White;
    }

private slots:
    void init()
    {
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_currentFolder.path()));
        m_window = std::make_unique<FrmMain>(m_state, m_appFolder, m_comPort);
        fillTexts();
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(m_previousFolder);
    }

    void lock_greysMailConnectionAndSelector_keepingTextsAndChannelRows()
    {
        m_state.ApnAuthEnabled = kTrue;
        UnlockScreen(m_state, c());
        for (QWidget *field : mailAndConnectionFields())
            QVERIFY(isUnlocked(field));

        LockScreen(c());

        for (QWidget *field : mailAndConnectionFields())
            QVERIFY2(isLocked(field), qPrintable(field->objectName()));
        QVERIFY(isLocked(c().Text3[10]));
        QVERIFY(isLocked(c().setObserbox));
        verifyTextsKept();
        // The channel rows and the command buttons are not the lock's business.
        QVERIFY(c().Text1[0]->isEnabled());
        QVERIFY(c().Combo1[15]->isEnabled());
        QVERIFY(c().Command1[0]->isEnabled());
    }

    void unlock_givesEverythingBack_apnAndSelectorOnlyWhenInUse_data()
    {
        QTest::addColumn<qint16>("apnAuthEnabled");
        QTest::addColumn<bool>("apnInUse");
        QTest::newRow("logger with APN") << kTrue << true;
        QTest::newRow("logger without APN") << kFalse << false;
        QTest::newRow("only -1 is true") << qint16(1) << false;
    }

    void unlock_givesEverythingBack_apnAndSelectorOnlyWhenInUse()
    {
        QFETCH(qint16, apnAuthEnabled);
        QFETCH(bool, apnInUse);
        for (QPushButton *button : c().Command1)
            button->setEnabled(false);
        c().SSTab2->setEnabled(false);
        c().mnu_Set->setEnabled(false);
        LockScreen(c());
        m_state.ApnAuthEnabled = apnAuthEnabled;

        UnlockScreen(m_state, c());

        for (QPushButton *button : c().Command1)
            QVERIFY(button->isEnabled());
        QVERIFY(c().Command1[2]->isHidden()); // enabled, but still never shown
        QVERIFY(c().SSTab2->isEnabled());
        QVERIFY(c().mnu_Set->menuAction()->isEnabled());
        for (QWidget *field : mailAndConnectionFields())
            QVERIFY2(isUnlocked(field), qPrintable(field->objectName()));
        QCOMPARE(isUnlocked(c().Text3[10]), apnInUse);
        QCOMPARE(isUnlocked(c().setObserbox), apnInUse);
        QCOMPARE(isLocked(c().Text3[10]), !apnInUse);
        QCOMPARE(isLocked(c().setObserbox), !apnInUse);
        verifyTextsKept();
    }
};

QTEST_MAIN(TestScreenLock)
#include "tst_screen_lock.moc"
