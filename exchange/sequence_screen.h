#pragma once

#include <QList>
#include <QString>

struct AlarmScriptInputs;
struct MailScriptInputs;
struct ValueFinding;

// What a read or write needs of the screen, and nothing more, so the same sequences can
// run without a window (a command-line companion, the tests).
class SequenceScreen
{
public:
    virtual ~SequenceScreen() = default;

    virtual void setStatusText(const QString &text) = 0;
    virtual void clearLog() = 0;
    virtual void appendLog(const QString &text) = 0;
    // Modal: returns when the operator has closed the box.
    virtual void showMessage(const QString &text) = 0;
    // Modal: values that look plainly wrong, before a write sends anything. True writes them all
    // the same; false, the default answer, sends nothing.
    virtual bool writeDespite(const QList<ValueFinding> &findings) = 0;

    // The binding procedures that move the settings state onto the screen.
    virtual void showChannels() = 0;
    virtual void showMailAddresses() = 0;
    virtual void showConnection() = 0;
    virtual void showConnectionButtons() = 0;
    virtual void unlockScreen() = 0;

    // The values a write sends, as the screen holds them now.
    virtual AlarmScriptInputs alarmScriptInputs() const = 0;
    virtual MailScriptInputs mailScriptInputs() const = 0;
};
