#include "widgets/editing_handlers.h"

#include "widgets/auth_selector.h"
#include "widgets/channel_row_editing.h"
#include "widgets/screen_controls.h"

#include <QComboBox>

void connectEditingHandlers(SettingsState &state, const ScreenControls &controls)
{
    for (int row = 0; row < ScreenControls::kChannelRows; ++row) {
        QComboBox *box = controls.Combo1.at(row);
        box->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(box, &QComboBox::activated, box, [&state, controls, row] {
            onChannelElementPicked(state, controls, row);
        });
    }
    controls.setObserbox->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(controls.setObserbox, &QComboBox::activated, controls.setObserbox,
                     [&state, controls] { onAuthTypePicked(state, controls); });
}
