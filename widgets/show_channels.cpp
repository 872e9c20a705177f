#include "widgets/show_channels.h"

#include "state/settings_state.h"
#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace {

constexpr int kLastField = 10;
constexpr int kFirstElementLine = 1;
constexpr int kFirstLimitLine = 17;
constexpr int kNoMatch = -2;

std::array<QWidget *, 6> rowControls(const ScreenControls &controls, int row)
{
    return {controls.Label1.at(row), controls.Combo1.at(row), controls.Label2.at(row),
            controls.Label3.at(row), controls.Text1.at(row),  controls.Text2.at(row)};
}

// The default element first, even when empty, then every named option field in field order.
void fillElementList(const SettingsState &state, QComboBox *box, int row)
{
    box->addItem(state.ModelDefaultItem.at(row), kDefaultElementEntry);
    for (int field = 0; field <= kLastField; ++field) {
        const QString &name = state.ModelItemName.at(row, field);
        if (!name.isEmpty())
            box->addItem(name, field);
    }
}

// The option field whose code is the line's code; the last one wins when several match.
int matchingField(const SettingsState &state, int row, const QString &code)
{
    int match = kNoMatch;
    for (int field = 0; field <= kLastField; ++field) {
        if (state.ModelItemCode.at(row, field) == code)
            match = field;
    }
    return match;
}

void showElementLine(SettingsState &state, const ScreenControls &controls, int row)
{
    const QString &line = state.EepChannel.at(kFirstElementLine + row);
    // The logger has no such channel: the row keeps what it showed, only greyed out.
    if (line.contains(u'?')) {
        for (QWidget *control : rowControls(controls, row))
            control->setEnabled(false);
        return;
    }

    for (QWidget *control : rowControls(controls, row))
        unlockField(control);
    QLineEdit *lower = controls.Text1.at(row);
    QLineEdit *upper = controls.Text2.at(row);
    if (!takesAlarmLimits(state, row)) {
        for (QLineEdit *limit : {lower, upper}) {
            lockField(limit);
            limit->clear();
        }
    }

    QComboBox *box = controls.Combo1.at(row);
    fillElementList(state, box, row);
    controls.Label1.at(row)->setText(state.ModelChLabel.at(row));

    const QString code = line.left(3);
    if (code == kDefaultElementCode) {
        controls.Label2.at(row)->clear();
        controls.Label3.at(row)->clear();
        lower->clear();
        upper->clear();
        box->setCurrentIndex(box->findData(kDefaultElementEntry, kElementFieldRole));
        state.ChannelCode.at(row) = code;
        return;
    }

    const int field = matchingField(state, row, code);
    if (field == kNoMatch) {
        // Unit, format and code stay as they were; only the element shows nothing.
        box->setCurrentIndex(-1);
        box->clearEditText();
        return;
    }
    controls.Label2.at(row)->setText(state.ModelItemUnit.at(row, field));
    controls.Label3.at(row)->setText(state.ModelItemFormat.at(row, field));
    state.ChannelCode.at(row) = state.ModelItemCode.at(row, field);
    const int entry = box->findData(field, kElementFieldRole);
    box->setCurrentIndex(entry);
    if (entry < 0)
        box->clearEditText(); // a field without a name has no entry and shows empty
}

// The limit lines are packed: two for each row that takes limits, in row order. A "???" at
// the row's own position skips the row and moves every later row one position down.
void showAlarmLimits(const SettingsState &state, const ScreenControls &controls)
{
    int shown = 0;
    int withoutLimits = 0;
    for (int row = 0; row < ScreenControls::kChannelRows; ++row) {
        const int position = kFirstLimitLine + row;
        if (state.EepChannel.at(position) == QStringLiteral("???"))
            continue;
        if (takesAlarmLimits(state, row)) {
            controls.Text1.at(row)->setText(state.EepChannel.at(position + shown - withoutLimits));
            controls.Text2.at(row)->setText(state.EepChannel.at(position + shown + 1 - withoutLimits));
            ++shown;
        } else {
            controls.Text1.at(row)->clear();
            controls.Text2.at(row)->clear();
            ++withoutLimits;
        }
    }
}

} // namespace

void ShowChannels(SettingsState &state, const ScreenControls &controls)
{
    for (QComboBox *box : controls.Combo1)
        box->clear();
    for (int row = 0; row < ScreenControls::kChannelRows; ++row)
        showElementLine(state, controls, row);
    showAlarmLimits(state, controls);
}
