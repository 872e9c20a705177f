#pragma once

#include "support/telvaro_names.h"

#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>

class QWidget;

// Stands in for the operator in front of modal windows while it lives. Every modal window that
// opens is handed to the answer, once its own event loop runs; without an answer, a message box
// is read and closed with OK. A modal window still open when the time limit is up (no answer
// closed it) is closed and fails the running test, which then goes on instead of hanging until
// CTest gives up.
class ModalWatcher : public QObject
{
public:
    using Answer = std::function<void(QWidget *modal)>;

    explicit ModalWatcher(Answer answer = {}, std::chrono::milliseconds limit = std::chrono::seconds(5));
    ~ModalWatcher() override;

    // The texts of the message boxes closed without an answer, in the order they opened.
    const QStringList &messageTexts() const { return m_messageTexts; }
    // How many modal windows opened.
    int openedCount() const { return m_openedCount; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void closeMessageBox(QWidget *modal);

    Answer m_answer;
    std::chrono::milliseconds m_limit;
    QStringList m_messageTexts;
    int m_openedCount = 0;
};
