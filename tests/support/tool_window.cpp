#include "support/tool_window.h"

#include "support/virtual_display.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kClientWidthTwips = 9675;
constexpr int kClientHeightTwips = 6810 + 375; // the client area and the status bar below it
constexpr int kButtonLeftTwips = 8040;
constexpr int kButtonWidthTwips = 1455;
constexpr int kButtonHeightTwips = 615;
constexpr int kReadButtonTopTwips = 240;
constexpr int kWriteButtonTopTwips = 1080;
constexpr int kExitButtonTopTwips = 3600;

} // namespace

ToolWindow::ToolWindow(VirtualDisplay &display, int timeoutMs) : m_display(display)
{
    m_id = display.waitForWindow(QStringLiteral("^Telvaro E"), timeoutMs);
    if (!m_id.isEmpty())
        m_frame = display.geometry(m_id);
}

void ToolWindow::clickButton(int topTwips)
{
    // The menu bar takes what the window has above the client area.
    const double scale = m_frame.width() / (kClientWidthTwips / kTwipsPerPixel);
    const int clientTop = m_frame.height() - int(kClientHeightTwips / kTwipsPerPixel * scale);
    const QPoint centre(int((kButtonLeftTwips + kButtonWidthTwips / 2) / kTwipsPerPixel * scale),
                        clientTop + int((topTwips + kButtonHeightTwips / 2) / kTwipsPerPixel * scale));
    m_display.click(m_id, centre);
}

void ToolWindow::clickRead()
{
    clickButton(kReadButtonTopTwips);
}

void ToolWindow::clickWrite()
{
    clickButton(kWriteButtonTopTwips);
}

void ToolWindow::clickExit()
{
    clickButton(kExitButtonTopTwips);
}

void ToolWindow::destroy()
{
    m_display.destroyWindow(m_id);
}
