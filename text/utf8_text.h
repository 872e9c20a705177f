#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace telvaro::text {

// The UTF-8 of the files an operator writes with an editor or a spreadsheet.

// The bytes without the byte-order mark an editor may put in front of a UTF-8 file.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes);

// The bytes as text; nothing when they are not UTF-8, a character cut short at their end
// included. A byte-order mark among them is a character like any other, not to be dropped.
std::optional<QString> utf8Text(QByteArrayView bytes);

} // namespace telvaro::text
