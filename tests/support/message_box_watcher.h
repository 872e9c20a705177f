#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Stands in for the operator in front of modal message boxes: every box that opens is read and
// closed with its OK button, and its text recorded.
class MessageBoxWatcher : public QObject
{
public:
    MessageBoxWatcher();

    const QStringList &texts() const { return m_texts; }

private:
    void closeOpenBox();

    QTimer m_timer;
    QStringList m_texts;
};
