#include "app/window_destruction_watch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#ifdef TELVARO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace telvaro::app {

WindowDestructionWatch::WindowDestructionWatch(QWidget &window) : m_window(window)
{
    if (QGuiApplication::platformName() == u"xcb")
        QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowDestructionWatch::~WindowDestructionWatch()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowDestructionWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#ifdef TELVARO_HAVE_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
    // Only a window that has a native one can lose it; asking winId() would make one.
    if (m_window.testAttribute(Qt::WA_WState_Created) && destroyed->window == m_window.winId())
        emit destroyedFromOutside();
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

} // namespace telvaro::app
