#pragma once

#include "base/logger_items.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace telvaro::widgets {

// The controls of the main window that show the screen model, under the names and indexes of
// the screen. The window owns them; this is a view onto them.
struct ScreenControls
{
    static constexpr int kChannelRows = base::LoggerItems::kChannelRows;
    static constexpr int kMailRows = base::LoggerItems::kMailAddresses;
    static constexpr int kConnectionFields = base::LoggerItems::kConnectionBoxes;

    std::array<QPushButton *, 4> Command1{};
    QTabWidget *SSTab2 = nullptr;
    QMenu *mnu_Set = nullptr;
    QLabel *statusPanel = nullptr; // panel 1 of the status bar sts_Main
    QPlainTextEdit *rtxt_Box = nullptr;

    // Page 0: the channel grid.
    std::array<QLabel *, kChannelRows> Label1{};
    std::array<QComboBox *, kChannelRows> Combo1{};
    std::array<QLabel *, kChannelRows> Label2{};
    std::array<QLabel *, kChannelRows> Label3{};
    std::array<QLineEdit *, kChannelRows> Text1{};
    std::array<QLineEdit *, kChannelRows> Text2{};

    // Pages 1 and 2: alarm and data mail addresses.
    std::array<QLineEdit *, kMailRows> Text4{};
    std::array<QLineEdit *, kMailRows> Text5{};

    // Page 3: the connection settings; Text3[LoggerItems::kApnBox] is the APN field at the top of
    // the page.
    std::array<QLineEdit *, kConnectionFields> Text3{};
    QComboBox *setObserbox = nullptr;
    QLabel *AuthLabel = nullptr;
};

} // namespace telvaro::widgets
