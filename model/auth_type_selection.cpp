#include "model/auth_type_selection.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

using namespace telvaro::state;

namespace telvaro::model {

void pickAuthType(const SettingsState &state, ScreenModel &screen, int entry)
{
    AuthTypeSelector &authType = screen.authType();
    ChoiceBox &selector = authType.setObserbox();
    // The list holds exactly the four types once a read has filled it; any other position is
    // no pick from it.
    if (entry < 0 || entry >= selector.entries().size() || entry > decltype(state.AuthCodes)::kLast)
        return;
    selector.select(entry);
    authType.AuthLabel().setCaption(QString::number(state.AuthCodes.at(entry)));
}

} // namespace telvaro::model
