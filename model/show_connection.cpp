#include "model/show_connection.h"

#include "base/logger_items.h"
#include "model/screen_model.h"
#include "state/settings_state.h"

#include <QRegularExpression>

using namespace telvaro::base;
using namespace telvaro::state;

namespace telvaro::model {

namespace {

constexpr int kApnAnswer = LoggerItems::positionOf("CAAPN");
constexpr int kAuthCodeAnswer = LoggerItems::positionOf("CAAUTHTYPE");
static_assert(LoggerItems::row("CAAUTHTYPE").field == ItemField::AuthLabel);

// The value of the number the text begins with, blanks before it skipped; 0 when the text
// does not begin with one. "  2", "2.0" and "2abc" are all 2.
double leadingNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

void showAuthTypes(const SettingsState &state, AuthTypeSelector &authType)
{
    ChoiceBox &selector = authType.setObserbox();
    const double code = leadingNumber(authType.AuthLabel().caption());
    int chosen = -1;
    for (int k = 0; k <= decltype(state.AuthCodes)::kLast; ++k) {
        selector.addEntry(state.AuthNames.at(k), k); // an empty name still takes its position
        if (code == state.AuthCodes.at(k))
            chosen = k; // the last match wins
    }
    selector.select(chosen);
}

} // namespace

void ShowConnection(SettingsState &state, ScreenModel &screen)
{
    ConnectionFields &connection = screen.connection();
    for (int box = 0; box < ConnectionFields::kFields; ++box) {
        if (box == ConnectionFields::kApnField)
            continue;
        TextField &field = connection.Text3(box);
        field.unlock();
        field.setText(state.EepConnect.at(LoggerItems::firstPosition(LoggerItems::rowOfBox(box))));
    }

    TextField &apn = connection.Text3(ConnectionFields::kApnField);
    AuthTypeSelector &authType = screen.authType();
    if (state.EepConnect.at(kApnAnswer) == QStringLiteral("???")) {
        // No APN item: the selector keeps its list and stays locked from the start of the read.
        apn.lock();
        apn.setText(QString());
        authType.AuthLabel().setCaption(QString());
        state.ApnAuthEnabled = kFalse;
    } else {
        authType.setObserbox().clear();
        apn.unlock();
        apn.setText(state.EepConnect.at(kApnAnswer));
        authType.setObserbox().unlock();
        authType.AuthLabel().setCaption(state.EepConnect.at(kAuthCodeAnswer));
        state.ApnAuthEnabled = kTrue;
        showAuthTypes(state, authType);
    }

    ShowConnectionButtons(screen);
}

void ShowConnectionButtons(ScreenModel &screen)
{
    CommandControls &commands = screen.commands();
    commands.Command1(CommandControls::Read).setEnabled(true);
    commands.Command1(CommandControls::Write).setEnabled(false);
    commands.Command1(CommandControls::Save).setEnabled(true);
    commands.Command1(CommandControls::Exit).setEnabled(true);
    commands.SSTab2().setEnabled(true);
    commands.mnu_Set().setEnabled(true);
}

} // namespace telvaro::model
