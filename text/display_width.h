#pragma once

#include <QString>

namespace telvaro::text {

// How many columns of a terminal the text takes: two for each wide or full-width character
// (kanji, kana, full-width forms), none for a combining mark, one for any other.
int displayWidth(const QString &text);

} // namespace telvaro::text
