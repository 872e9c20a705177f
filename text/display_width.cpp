#include "text/display_width.h"

#include <QList>
#include <QStringView>

#include <unicode/uchar.h>

namespace telvaro::text {

namespace {

int columnsOf(char32_t c)
{
    if (u_getCombiningClass(UChar32(c)) != 0 || u_charType(UChar32(c)) == U_NON_SPACING_MARK)
        return 0;
    const int width = u_getIntPropertyValue(UChar32(c), UCHAR_EAST_ASIAN_WIDTH);
    return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

} // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (const char32_t c : QStringView(text).toUcs4())
        width += columnsOf(c);
    return width;
}

} // namespace telvaro::text
