#include "widgets/screen_view.h"

#include "model/auth_type_selection.h"
#include "model/channel_row_editing.h"
#include "model/screen_model.h"
#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"
#include "widgets/slot_guard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

using namespace telvaro::state;
using namespace telvaro::model;

namespace telvaro::widgets {

// The view writes into a control with the control's signals blocked, so that only what the
// operator does flows back into the model.

namespace {

// Shows the model on the widget now and after every change of it.
template<typename Model, typename Show>
void follow(const Model &model, QWidget *widget, Show show)
{
    show();
    QObject::connect(&model, &Model::changed, widget, show);
}

void showField(QWidget *widget, const Field &field)
{
    widget->setEnabled(field.isEnabled());
    showFieldColour(widget, field.colour());
}

void showControl(QWidget *widget, const Control &control)
{
    follow(control, widget, [widget, &control] { widget->setEnabled(control.isEnabled()); });
}

void showLabel(QLabel *label, const CaptionLabel &caption)
{
    follow(caption, label, [label, &caption] {
        label->setText(caption.caption());
        showField(label, caption);
    });
}

void showTextBox(QLineEdit *box, TextField &field)
{
    follow(field, box, [box, &field] {
        if (box->text() != field.text()) {
            const QSignalBlocker quiet(box);
            box->setText(field.text());
        }
        showField(box, field);
    });
    QObject::connect(box, &QLineEdit::textChanged, &field, &TextField::setText);
}

QStringList entryTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// pick runs when the operator picks an entry from the list.
template<typename Pick>
void showChoiceBox(QComboBox *box, ChoiceBox &choice, Pick pick)
{
    follow(choice, box, [box, &choice] {
        const QSignalBlocker quiet(box);
        const QStringList texts = choice.entryTexts();
        if (entryTexts(box) != texts) {
            box->clear();
            box->addItems(texts);
        }
        if (box->currentIndex() != choice.currentIndex())
            box->setCurrentIndex(choice.currentIndex());
        // Set apart from the list: clearing it keeps the text when no entry was selected.
        if (box->currentText() != choice.editText())
            box->setEditText(choice.editText());
        showField(box, choice);
    });
    // The selection and the edit text as the operator left them; a pick changes both.
    const auto takeEdit = [box, &choice] {
        if (choice.currentIndex() != box->currentIndex())
            choice.select(box->currentIndex());
        choice.setEditText(box->currentText());
    };
    QObject::connect(box, &QComboBox::currentIndexChanged, &choice, takeEdit);
    QObject::connect(box, &QComboBox::editTextChanged, &choice, takeEdit);
    QObject::connect(box, &QComboBox::activated, &choice, [pick](int entry) {
        runGuarded("a pick from a list", [&] { pick(entry); });
    });
}

} // namespace

void showScreenOn(const ScreenControls &controls, ScreenModel &screen, SettingsState &state)
{
    const CommandControls &commands = screen.commands();
    for (int i = 0; i < CommandControls::kCommands; ++i)
        showControl(controls.Command1.at(i), commands.Command1(i));
    showControl(controls.SSTab2, commands.SSTab2());
    showControl(controls.mnu_Set, commands.mnu_Set()); // its entry in the menu bar follows

    QLabel *status = controls.statusPanel;
    const auto showStatus = [status, &screen] { status->setText(screen.statusText()); };
    showStatus();
    QObject::connect(&screen, &ScreenModel::statusTextSet, status, showStatus);
    QPlainTextEdit *log = controls.rtxt_Box;
    const auto showLog = [log, &screen] { log->setPlainText(screen.logText()); };
    showLog();
    QObject::connect(&screen, &ScreenModel::logChanged, log, showLog);

    for (int r = 0; r < ScreenModel::kChannelRows; ++r) {
        ChannelRow &row = screen.channelRow(r);
        showLabel(controls.Label1.at(r), row.Label1());
        showChoiceBox(controls.Combo1.at(r), row.Combo1(),
                      [&state, &screen, r](int entry) { pickChannelElement(state, screen, r, entry); });
        showLabel(controls.Label2.at(r), row.Label2());
        showLabel(controls.Label3.at(r), row.Label3());
        showTextBox(controls.Text1.at(r), row.Text1());
        showTextBox(controls.Text2.at(r), row.Text2());
    }
    for (int k = 0; k < MailAddressFields::kAddresses; ++k) {
        showTextBox(controls.Text4.at(k), screen.alarmAddresses().Text4(k));
        showTextBox(controls.Text5.at(k), screen.dataAddresses().Text5(k));
    }
    for (int i = 0; i < ConnectionFields::kFields; ++i)
        showTextBox(controls.Text3.at(i), screen.connection().Text3(i));
    showChoiceBox(controls.setObserbox, screen.authType().setObserbox(),
                  [&state, &screen](int entry) { pickAuthType(state, screen, entry); });
    showLabel(controls.AuthLabel, screen.authType().AuthLabel());
}

} // namespace telvaro::widgets
