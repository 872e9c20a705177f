#include "support/widgets/modal_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QTest>

ModalWatcher::ModalWatcher(Answer answer, std::chrono::milliseconds limit)
    : m_answer(std::move(answer))
    , m_limit(limit)
{
    if (!m_answer)
        m_answer = [this](QWidget *modal) { closeMessageBox(modal); };
    qApp->installEventFilter(this);
}

ModalWatcher::~ModalWatcher()
{
    qApp->removeEventFilter(this);
}

bool ModalWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || !window->isModal())
        return false;

    ++m_openedCount;
    const QPointer<QWidget> modal(window);
    // Shown, but its event loop has yet to start: answer from within that loop.
    QTimer::singleShot(0, this, [this, modal] {
        if (modal && modal->isVisible())
            m_answer(modal);
    });
    QTimer::singleShot(m_limit, this, [modal] {
        if (!modal || !modal->isVisible())
            return;
        const QByteArray what = modal->metaObject()->className() + QByteArrayLiteral(" \"")
                                + modal->windowTitle().toUtf8() + QByteArrayLiteral("\" was left open");
        if (auto *dialog = qobject_cast<QDialog *>(modal.data()))
            dialog->reject();
        else
            modal->close();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    });
    return false;
}

void ModalWatcher::closeMessageBox(QWidget *modal)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box)
        return; // left for the time limit to catch
    m_messageTexts.append(box->text());
    box->button(QMessageBox::Ok)->click();
}
