#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace telvaro::widgets {

// The screens are drawn in twips (1/1440 inch): 15 make one device-independent pixel,
// which Qt scales to the display's density.
constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// The screen name of an element of a control array: "Text3(10)".
inline QString indexedName(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

// Names a control by its screen name and puts it where the layout has it.
template<typename Widget>
Widget *placed(Widget *widget, const QString &name, const QRect &rect)
{
    widget->setObjectName(name);
    widget->setGeometry(rect);
    return widget;
}

} // namespace telvaro::widgets
