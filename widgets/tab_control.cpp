#include "widgets/tab_control.h"

#include <QEvent>
#include <QTabBar>

namespace telvaro::widgets {

namespace {

class EqualTabStrip : public QTabBar
{
public:
    EqualTabStrip(int stripWidth, int stripHeight)
        : m_stripWidth(stripWidth), m_stripHeight(stripHeight)
    {
        setExpanding(false);
        setElideMode(Qt::ElideNone);
        setUsesScrollButtons(false);
    }

protected:
    QSize tabSizeHint(int) const override { return QSize(m_stripWidth / qMax(1, count()), m_stripHeight); }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int m_stripWidth = 0;
    int m_stripHeight = 0;
};

} // namespace

TabControl::TabControl(const QRect &geometry, int stripHeight, QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new EqualTabStrip(geometry.width(), stripHeight));
    setGeometry(geometry);
}

QWidget *TabControl::addPage(const QString &caption)
{
    auto *page = new QWidget;
    addTab(page, caption);
    auto *canvas = new QWidget(page);
    canvas->resize(size());
    m_canvases.append(canvas);
    // The page area moves when the style lays the control out; the canvas follows it.
    page->installEventFilter(this);
    page->parentWidget()->installEventFilter(this);
    alignCanvases();
    return canvas;
}

bool TabControl::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        alignCanvases();
    return QTabWidget::eventFilter(watched, event);
}

void TabControl::alignCanvases()
{
    for (QWidget *canvas : std::as_const(m_canvases))
        canvas->move(-canvas->parentWidget()->mapTo(this, QPoint(0, 0)));
}

} // namespace telvaro::widgets
