#pragma once

#include <QList>
#include <QTabWidget>

namespace telvaro::widgets {

// A tab control with one row of equally wide tabs, whose pages place their controls from
// the top-left corner of the whole control, tab strip included, wherever the style puts
// the page area.
class TabControl : public QTabWidget
{
    Q_OBJECT

public:
    TabControl(const QRect &geometry, int stripHeight, QWidget *parent);

    // Adds a page and returns the widget to place its controls on.
    QWidget *addPage(const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void alignCanvases();

    QList<QWidget *> m_canvases;
};

} // namespace telvaro::widgets
