#pragma once

#include "widgets/screen_controls.h"

#include <QWidget>

#include <memory>


// Real controls for the bindings and handlers, built without the main window: editable combo
// boxes, labels, text boxes, buttons, a tab control and a menu, in the states the window
// opens with (connection and mail fields disabled and grey, write button disabled).
class ScreenControlsFixture
{
public:
    ScreenControlsFixture();
    ~ScreenControlsFixture();

    const ScreenControls &controls() const { return m_controls; }
    bool menuEnabled() const;

private:
    std::unique_ptr<QWidget> m_window;
    ScreenControls m_controls;
};
