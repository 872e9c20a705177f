#pragma once

class QWidget;

// A field is locked by disabling it and painting it in the button-face colour, and
// unlocked by enabling it and painting it white. Neither changes its text.
enum class FieldColour { ButtonFace, White };

void paintField(QWidget *field, FieldColour colour);
FieldColour fieldColour(const QWidget *field);

void lockField(QWidget *field);   // disable, button face
void unlockField(QWidget *field); // enable, white
