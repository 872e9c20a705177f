#include "text/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <stdexcept>

namespace {

// ICU's name for the Windows-31J table (code page 932 with the NEC and IBM extensions).
constexpr const char *kConverterName = "windows-31j";

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
    return converter;
}

// Encodes with the given from-Unicode error action; returns false when a character
// could not be encoded and the action was to stop.
bool fromUnicode(QStringView text, UConverterFromUCallback action, QByteArray *out)
{
    Converter converter = openConverter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), action, nullptr, nullptr, nullptr, &status);
    if (action == UCNV_FROM_U_CALLBACK_SUBSTITUTE)
        ucnv_setSubstChars(converter.get(), "?", 1, &status);

    const auto *source = reinterpret_cast<const UChar *>(text.utf16());
    const int32_t length = static_cast<int32_t>(text.size());
    QByteArray bytes(length * 2 + 2, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                                            source, length, &status);
    if (U_FAILURE(status))
        return false;
    bytes.truncate(written);
    if (out)
        *out = bytes;
    return true;
}

} // namespace

namespace Cp932 {

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    fromUnicode(text, UCNV_FROM_U_CALLBACK_SUBSTITUTE, &bytes);
    return bytes;
}

bool canEncode(QStringView text)
{
    return fromUnicode(text, UCNV_FROM_U_CALLBACK_STOP, nullptr);
}

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    Converter converter = openConverter();
    QString text(bytes.size() + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_toUChars(converter.get(), reinterpret_cast<UChar *>(text.data()),
                                          static_cast<int32_t>(text.size()), bytes.data(),
                                          static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    text.truncate(written);
    return text;
}

} // namespace Cp932
