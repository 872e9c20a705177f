#include "support/widgets/operator_input.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>

void pickComboEntry(QComboBox *box, int entry, PickBy by)
{
    box->showPopup();
    QAbstractItemView *list = box->view();
    QVERIFY(list->isVisible());
    const QModelIndex index = box->model()->index(entry, box->modelColumn());
    if (by == PickBy::Keyboard) {
        list->setCurrentIndex(index);
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QPoint centre = list->visualRect(index).center();
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    }
    QVERIFY(!list->isVisible());
}

QStringList comboEntries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void typeText(QWidget *widget, const QString &text)
{
    // QTest::keyClicks takes Latin-1 only; a key event carries any character as its text.
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}
