#include "widgets/field_paint.h"

#include <QApplication>
#include <QLabel>
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
    // Every colour group, so a disabled field shows the colour it was given. Editable fields
    // paint the base colour; a label paints its window colour, and only when asked to fill.
    palette.setColor(QPalette::Base, colourOf(colour));
    if (qobject_cast<QLabel *>(field)) {
        palette.setColor(QPalette::Window, colourOf(colour));
        field->setAutoFillBackground(true);
    }
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
