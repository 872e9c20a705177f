#pragma once

#include "widgets/screen_controls.h"

#include <QLineEdit>

#include <array>

class QWidget;

namespace telvaro::widgets {

// The four pages of the settings tab control. Each builder places its controls on the
// page's canvas (origin: the tab control's top-left corner) and records the ones the
// other parts of the tool address.

// Page 0: sixteen channel rows under six headings.
void buildChannelPage(QWidget *canvas, ScreenControls &controls);

// Pages 1 and 2: six mail addresses each, alarm (green) and data (blue).
enum class MailPage { Alarm, Data };
void buildMailPage(QWidget *canvas, MailPage page, std::array<QLineEdit *, ScreenControls::kMailRows> &fields);

// Page 3: the connection settings, the authentication selector and its hidden code label.
void buildConnectionPage(QWidget *canvas, ScreenControls &controls);

} // namespace telvaro::widgets
