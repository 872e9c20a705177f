#pragma once

#include "model/controls.h"

class QWidget;

namespace telvaro::widgets {

// Paints a field white or in the button-face colour. A label is painted only once it is to be
// white: until then it shows the page through, which is what button face looks like there.
void paintField(QWidget *field, model::FieldColour colour);
// The colour the field shows.
model::FieldColour fieldColour(const QWidget *field);
// Paints the field when it shows another colour than the one given.
void showFieldColour(QWidget *field, model::FieldColour colour);

} // namespace telvaro::widgets
