#include "widgets/show_connection.h"

#include "state/settings_state.h"
#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

constexpr int kApnField = 10;
constexpr int kApnAnswer = 11;
constexpr int kAuthCodeAnswer = 12;

// The value of the number the text begins with, blanks before it skipped; 0 when the text
// does not begin with one. "  2", "2.0" and "2abc" are all 2.
double leadingNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

void showAuthTypes(const SettingsState &state, const ScreenControls &controls)
{
    QComboBox *selector = controls.setObserbox;
    const double code = leadingNumber(controls.AuthLabel->text());
    int chosen = -1;
    for (int k = 0; k <= decltype(state.AuthCodes)::kLast; ++k) {
        selector->addItem(state.AuthNames.at(k)); // an empty name still takes its position
        if (code == state.AuthCodes.at(k))
            chosen = k; // the last match wins
    }
    selector->setCurrentIndex(chosen);
    if (chosen < 0)
        selector->clearEditText();
}

} // namespace

void ShowConnection(SettingsState &state, const ScreenControls &controls)
{
    for (int i = 0; i < kApnField; ++i) {
        QLineEdit *field = controls.Text3.at(i);
        unlockField(field);
        field->setText(state.EepConnect.at(i + 1));
    }

    QLineEdit *apn = controls.Text3.at(kApnField);
    if (state.EepConnect.at(kApnAnswer) == QStringLiteral("???")) {
        // No APN item: the selector keeps its list and stays locked from the start of the read.
        lockField(apn);
        apn->clear();
        controls.AuthLabel->clear();
        state.ApnAuthEnabled = kFalse;
    } else {
        controls.setObserbox->clear();
        unlockField(apn);
        apn->setText(state.EepConnect.at(kApnAnswer));
        unlockField(controls.setObserbox);
        controls.AuthLabel->setText(state.EepConnect.at(kAuthCodeAnswer));
        state.ApnAuthEnabled = kTrue;
        showAuthTypes(state, controls);
    }

    ShowConnectionButtons(controls);
}

void ShowConnectionButtons(const ScreenControls &controls)
{
    controls.Command1.at(0)->setEnabled(true);
    controls.Command1.at(1)->setEnabled(false);
    controls.Command1.at(2)->setEnabled(true);
    controls.Command1.at(3)->setEnabled(true);
    controls.SSTab2->setEnabled(true);
    controls.mnu_Set->setEnabled(true); // its entry in the menu bar follows
}
