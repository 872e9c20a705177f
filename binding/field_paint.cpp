#include "binding/field_paint.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

QColor colourOf(FieldColour colour)
{
    return colour == FieldColour::White ? QColor(255, 255, 255)
                                        : QApplication::palette().color(QPalette::Active, QPalette::Button);
}

} // namespace

void paintField(QWidget *field, FieldColour colour)
{
    QPalette palette = field->palette();
    // Every colour group, so a disabled field shows the colour it was given.
    palette.setColor(QPalette::Base, colourOf(colour));
    field->setPalette(palette);
}

FieldColour fieldColour(const QWidget *field)
{
    return field->palette().color(QPalette::Active, QPalette::Base) == QColor(255, 255, 255)
               ? FieldColour::White
               : FieldColour::ButtonFace;
}

void lockField(QWidget *field)
{
    field->setEnabled(false);
    paintField(field, FieldColour::ButtonFace);
}

void unlockField(QWidget *field)
{
    field->setEnabled(true);
    paintField(field, FieldColour::White);
}
