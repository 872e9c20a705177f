#pragma once

#include <QString>

namespace telvaro::text {

// Full-width to half-width, as text typed on the screen is narrowed before it goes to the
// logger: full-width ASCII forms become ASCII, the ideographic space a space, full-width
// katakana and the Japanese full stop, comma, corner brackets, middle dot, prolonged sound
// mark and sound marks their half-width forms (a voiced or semi-voiced katakana becomes the
// half-width katakana followed by the half-width mark). Every other character, hiragana and
// kanji included, is kept, and so is a character whose half-width form code page 932 lacks.
QString narrowed(const QString &text);

} // namespace telvaro::text
