#include "widgets/screen_font.h"

#include <QStringList>

namespace telvaro::widgets {

QFont screenFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace telvaro::widgets
