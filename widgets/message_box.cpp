#include "widgets/message_box.h"

#include <QMessageBox>

namespace telvaro::widgets {

namespace {

void prepare(QMessageBox &box, QWidget *owner)
{
    box.setWindowTitle(owner->windowTitle());
    box.setFont(owner->font());
}

} // namespace

void showModalMessage(QWidget *owner, const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, owner);
    prepare(box, owner);
    box.setDetailedText(details);
    box.exec();
}

void showModalWarning(QWidget *owner, const QString &text, const QString &informative)
{
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, owner);
    prepare(box, owner);
    box.setInformativeText(informative);
    box.exec();
}

bool askModalQuestion(QWidget *owner, const QString &text, const QString &informative)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, owner);
    prepare(box, owner);
    box.setInformativeText(informative);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace telvaro::widgets
