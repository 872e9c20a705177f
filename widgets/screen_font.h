#pragma once

#include <QFont>

namespace telvaro::widgets {

// The screens' typeface at the given size; where it is not installed, the nearest
// Japanese proportional gothic stands in.
QFont screenFont(qreal pointSize = 9.0, bool bold = false);

} // namespace telvaro::widgets
