#pragma once

#include <QByteArray>
#include <QString>

// Code page 932 (the Windows variant of Shift-JIS): the encoding of the serial line,
// the installation files and the script files. The screen works in Unicode.
namespace Cp932 {

// Characters that code page 932 cannot hold become "?".
QByteArray encode(QStringView text);

// True when every character of text has a code page 932 form.
bool canEncode(QStringView text);

// Bytes that are no valid code page 932 become U+FFFD.
QString decode(QByteArrayView bytes);

} // namespace Cp932
