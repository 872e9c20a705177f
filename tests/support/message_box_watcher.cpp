#include "support/message_box_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

MessageBoxWatcher::MessageBoxWatcher()
{
    // A box runs its own event loop, in which this timer keeps firing.
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::closeOpenBox);
    m_timer.start();
}

void MessageBoxWatcher::closeOpenBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_texts.append(box->text());
    box->button(QMessageBox::Ok)->click();
}
