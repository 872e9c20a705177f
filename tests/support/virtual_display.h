#pragma once

#include "support/telvaro_names.h"

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

// A virtual X display (Xvfb) of its own for a test, and xdotool to act on the windows of
// another program on it as a user would: find a window, click into it, press a key; xprop to
// read what the window tells the desktop.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // False when Xvfb did not start; errorString() says why.
    bool isValid() const { return !m_name.isEmpty(); }
    const QString &errorString() const { return m_error; }
    // ":N", for DISPLAY.
    const QString &name() const { return m_name; }

    // The first visible window whose title matches, once it is there (within timeoutMs);
    // empty when none came.
    QString waitForWindow(const QString &titlePattern, int timeoutMs);
    QRect geometry(const QString &window);
    // The window that has the keyboard focus.
    QString focusedWindow();
    void click(const QString &window, const QPoint &at);
    void pressKey(const QString &key);
    // Destroys the window (XDestroyWindow), as any X11 client may; its program is not asked.
    void destroyWindow(const QString &window);

    // A property of the window as xprop shows it ("WM_CLASS(STRING) = ..."); empty when it
    // could not be read.
    QString property(const QString &window, const QString &name);

private:
    QString xdotool(const QStringList &arguments, int timeoutMs = 5000);
    QString runOnDisplay(const QString &program, const QStringList &arguments, int timeoutMs);

    QProcess m_server;
    QString m_name;
    QString m_error;
};
