#pragma once

#include "support/telvaro_names.h"

#include <QPoint>
#include <QRect>
#include <QString>

class VirtualDisplay;

// The main window of telvaro-config running in another process on a virtual display, and where
// its command buttons are: the window is laid out in twips, fixed, so they are found from its
// size alone.
class ToolWindow
{
public:
    // Waits for the window to show (within timeoutMs); isValid() tells whether it did.
    ToolWindow(VirtualDisplay &display, int timeoutMs);

    bool isValid() const { return !m_id.isEmpty(); }
    const QString &id() const { return m_id; }

    void clickRead();
    void clickWrite();
    void clickExit();
    // Destroys the window's native window, as another X11 program may.
    void destroy();

private:
    void clickButton(int centreTwipsY);

    VirtualDisplay &m_display;
    QString m_id;
    QRect m_frame;
};
