#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace telvaro::app {

// Tells when a window's native window is destroyed by another program rather than closed. An X11
// client may destroy any window; Qt does not notice, and the program would run on with no window.
// Elsewhere windows are not destroyed from outside, and this never fires.
class WindowDestructionWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit WindowDestructionWatch(QWidget &window);
    ~WindowDestructionWatch() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void destroyedFromOutside();

private:
    QWidget &m_window;
};

} // namespace telvaro::app
