#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace telvaro::text {

// Code page 932 as Windows has it (Shift-JIS with the NEC and IBM extensions): the encoding of
// the serial line, the installation files and the script files. The screen works in Unicode.
//
// Every byte string decodes to text that encodes back to the same bytes, except for invalid
// two-byte sequences, which become U+FFFD, and the second codes of the characters that have two
// (87 90 and 81 E0 are both U+2252; encoding gives 81 E0). So a read keeps the bytes of each
// answer beside its text, and a value written back unchanged goes out in those.
namespace Cp932 {

// 0x81..0x9F and 0xE0..0xFC.
bool isLeadByte(char byte);
// 0x40..0x7E and 0x80..0xFC.
bool isTrailByte(char byte);

// The number of bytes of the character that starts at `at`: 2 for a lead byte followed by a
// trail byte, and for a lead byte that ends the bytes (its second byte may be still to come);
// 1 otherwise. A lead byte followed by anything else is a stray byte of its own, so that it
// never hides the byte after it (a line end, say).
qsizetype characterLength(QByteArrayView bytes, qsizetype at);

// Characters that code page 932 cannot hold become "?", one each.
QByteArray encode(QStringView text);

// True when encoding keeps every character: none is replaced, none dropped. Characters outside
// the code page, U+FFFD and the default-ignorable ones (soft hyphen, zero-width spaces, variation
// selectors...) make it false.
bool canEncode(QStringView text);

// Invalid byte sequences become U+FFFD. The single bytes Windows leaves undefined keep their
// Windows meaning: 0x80 is U+0080, 0xA0 U+F8F0, 0xFD..0xFF U+F8F1..U+F8F3.
QString decode(QByteArrayView bytes);

} // namespace Cp932

} // namespace telvaro::text
