#pragma once

#include <QList>
#include <QString>

namespace telvaro::settings {
struct ValueFinding;
} // namespace telvaro::settings

namespace telvaro::exchange {

struct ExchangeFailure;

// What a read or write needs of a front end besides the screen model: the modal boxes it puts
// to the operator. The window shows them; a front end without a screen answers them itself.
class ModalBoxes
{
public:
    virtual ~ModalBoxes() = default;

    // Returns when the operator has closed the box.
    virtual void showMessage(const QString &text) = 0;
    // The message of a failed exchange, with what happened; returns when the box is closed.
    virtual void showFailure(const QString &text, const ExchangeFailure &failure) = 0;
    // What the write plan found, before a write sends anything: values that look plainly wrong,
    // changes nobody asked for, items the write would empty. True writes them all the same;
    // false, the default answer, sends nothing.
    virtual bool writeDespite(const QList<settings::ValueFinding> &findings) = 0;
};

} // namespace telvaro::exchange
