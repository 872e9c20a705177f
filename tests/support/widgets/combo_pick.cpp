#include "support/widgets/combo_pick.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

void pickComboEntry(QComboBox *box, int entry)
{
    box->showPopup();
    QAbstractItemView *list = box->view();
    QVERIFY(list->isVisible());
    list->setCurrentIndex(box->model()->index(entry, box->modelColumn()));
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!list->isVisible());
}

QStringList comboEntries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
