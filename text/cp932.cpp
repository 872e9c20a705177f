#include "text/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace telvaro::text {

namespace {

// ICU's name for the Windows-31J table. Its two-byte characters are those of Windows; its single
// bytes are not, see kWindowsSingleBytes.
constexpr const char *kConverterName = "windows-31j";

// Single bytes that ICU's table maps otherwise than Windows: it rotates three control codes (an
// IBM convention: 0x1A is U+001C there) and leaves the other five undefined. Windows keeps them
// as they are here, and so does everything written by Windows programs.
struct SingleByte
{
    unsigned char byte;
    char16_t character;
};
constexpr std::array<SingleByte, 8> kWindowsSingleBytes = {{
    {0x1A, u'\x1A'},
    {0x1C, u'\x1C'},
    {0x7F, u'\x7F'},
    {0x80, u'\x80'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

std::optional<QChar> windowsCharacterOf(char byte)
{
    for (const SingleByte &single : kWindowsSingleBytes) {
        if (single.byte == static_cast<unsigned char>(byte))
            return QChar(single.character);
    }
    return std::nullopt;
}

std::optional<char> windowsByteOf(QChar character)
{
    for (const SingleByte &single : kWindowsSingleBytes) {
        if (single.character == character.unicode())
            return static_cast<char>(single.byte);
    }
    return std::nullopt;
}

// Every character ICU cannot encode becomes one "?". ICU's own substitution would drop the
// default-ignorable characters without a trace.
void substituteQuestionMark(const void *, UConverterFromUnicodeArgs *args, const UChar *, int32_t, UChar32,
                            UConverterCallbackReason reason, UErrorCode *status)
{
    if (reason > UCNV_IRREGULAR)
        return; // reset, close or clone: nothing to substitute
    *status = U_ZERO_ERROR;
    ucnv_cbFromUWriteBytes(args, "?", 1, 0, status);
}

// Every byte sequence ICU cannot decode becomes one U+FFFD. ICU's own substitution would give
// U+001A for an unassigned one, which is a real character here.
void substituteReplacementCharacter(const void *, UConverterToUnicodeArgs *args, const char *, int32_t,
                                    UConverterCallbackReason reason, UErrorCode *status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

struct ConverterCloser
{
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter()
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(kConverterName, &status));
    if (U_FAILURE(status))
        throw std::runtime_error("ICU has no windows-31j converter");
    ucnv_setFromUCallBack(converter.get(), substituteQuestionMark, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        throw std::runtime_error("cannot set up the windows-31j converter");
    return converter;
}

// Opened once per thread: a converter keeps state between calls and must not be shared.
UConverter *converter()
{
    thread_local const Converter converter = openConverter();
    return converter.get();
}

void appendEncoded(QStringView text, QByteArray &out)
{
    if (text.isEmpty())
        return;
    // At most two bytes per UTF-16 unit; one more for the terminating zero ICU writes if it can.
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2 + 1);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(converter(), out.data() + start, static_cast<int32_t>(text.size() * 2 + 1),
                                            reinterpret_cast<const UChar *>(text.utf16()),
                                            static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status))
        throw std::runtime_error("windows-31j encoding failed");
    out.resize(start + written);
}

void appendDecoded(QByteArrayView bytes, QString &out)
{
    if (bytes.isEmpty())
        return;
    // At most one UTF-16 unit per byte; one more for the terminating zero.
    const qsizetype start = out.size();
    out.resize(start + bytes.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_toUChars(converter(), reinterpret_cast<UChar *>(out.data() + start),
                                          static_cast<int32_t>(bytes.size() + 1), bytes.data(),
                                          static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        throw std::runtime_error("windows-31j decoding failed");
    out.resize(start + written);
}

} // namespace

namespace Cp932 {

bool isLeadByte(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

bool isTrailByte(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return (value >= 0x40 && value <= 0x7E) || (value >= 0x80 && value <= 0xFC);
}

qsizetype characterLength(QByteArrayView bytes, qsizetype at)
{
    if (!isLeadByte(bytes.at(at)))
        return 1;
    if (at + 1 == bytes.size())
        return 2;
    return isTrailByte(bytes.at(at + 1)) ? 2 : 1;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    // Runs between the Windows single bytes go through ICU whole.
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (const std::optional<char> byte = windowsByteOf(text.at(at))) {
            appendEncoded(text.sliced(runStart, at - runStart), bytes);
            bytes += *byte;
            runStart = at + 1;
        }
    }
    appendEncoded(text.sliced(runStart), bytes);
    return bytes;
}

bool canEncode(QStringView text)
{
    // "?" decodes as itself, so a character replaced or dropped shows as a difference.
    return decode(encode(text)) == text;
}

QString decode(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    // Runs of whole characters go through ICU in one piece; the Windows single bytes and stray
    // lead bytes are settled here, so ICU never sees a sequence it would split otherwise.
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = characterLength(bytes, at);
        std::optional<QChar> settledHere;
        if (length == 1 && isLeadByte(bytes.at(at)))
            settledHere = QChar(QChar::ReplacementCharacter);
        else if (length == 1)
            settledHere = windowsCharacterOf(bytes.at(at));
        else if (at + 1 == bytes.size())
            settledHere = QChar(QChar::ReplacementCharacter); // the second byte never came
        if (settledHere) {
            appendDecoded(bytes.sliced(runStart, at - runStart), text);
            text += *settledHere;
            runStart = at + length;
        }
        at += length;
    }
    appendDecoded(bytes.sliced(std::min(runStart, bytes.size())), text);
    return text;
}

} // namespace Cp932

} // namespace telvaro::text
