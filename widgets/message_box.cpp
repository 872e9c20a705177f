#include "widgets/message_box.h"

#include <QMessageBox>

void showModalMessage(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, owner->windowTitle(), text, QMessageBox::Ok, owner);
    box.setFont(owner->font());
    box.exec();
}
