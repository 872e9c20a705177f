#include "widgets/field_paint.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

using namespace telvaro::model;

namespace telvaro::widgets {

namespace {

const QColor kWhite(255, 255, 255);

QColor colourOf(FieldColour colour)
{
    return colour == FieldColour::White ? kWhite
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
    if (qobject_cast<const QLabel *>(field)) {
        if (!field->autoFillBackground())
            return FieldColour::ButtonFace; // never painted: the page shows through
        return field->palette().color(QPalette::Active, QPalette::Window) == kWhite ? FieldColour::White
                                                                                   : FieldColour::ButtonFace;
    }
    return field->palette().color(QPalette::Active, QPalette::Base) == kWhite ? FieldColour::White
                                                                             : FieldColour::ButtonFace;
}

void showFieldColour(QWidget *field, FieldColour colour)
{
    if (fieldColour(field) != colour)
        paintField(field, colour);
}

} // namespace telvaro::widgets
