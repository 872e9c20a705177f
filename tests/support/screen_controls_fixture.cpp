#include "support/screen_controls_fixture.h"

#include "widgets/screen_lock.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace {

template<typename Control, std::size_t N>
void build(std::array<Control *, N> &controls, QWidget *parent)
{
    for (Control *&control : controls)
        control = new Control(parent);
}

template<std::size_t N>
void build(std::array<QComboBox *, N> &controls, QWidget *parent)
{
    for (QComboBox *&box : controls) {
        box = new QComboBox(parent);
        box->setEditable(true);
    }
}

} // namespace

ScreenControlsFixture::ScreenControlsFixture() : m_window(std::make_unique<QWidget>())
{
    QWidget *window = m_window.get();
    ScreenControls &c = m_controls;

    build(c.Command1, window);
    c.Command1.at(1)->setEnabled(false);
    c.SSTab2 = new QTabWidget(window);
    auto *menuBar = new QMenuBar(window);
    c.mnu_Set = menuBar->addMenu(QStringLiteral("通信設定(&S)"));

    build(c.Label1, window);
    build(c.Combo1, window);
    build(c.Label2, window);
    build(c.Label3, window);
    build(c.Text1, window);
    build(c.Text2, window);
    build(c.Text4, window);
    build(c.Text5, window);
    build(c.Text3, window);
    c.setObserbox = new QComboBox(window);
    c.setObserbox->setEditable(true);
    c.AuthLabel = new QLabel(window);

    // The mail and connection fields open locked, as on the window.
    LockScreen(c);
}

ScreenControlsFixture::~ScreenControlsFixture() = default;

bool ScreenControlsFixture::menuEnabled() const
{
    return m_controls.mnu_Set->isEnabled() && m_controls.mnu_Set->menuAction()->isEnabled();
}
