#pragma once

#include "support/telvaro_names.h"
#include "support/widgets/modal_watcher.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

// Stands in for the operator in front of the window's modal windows while it lives: a file
// dialog chooses the next of the files given (cancelled when none is left), a question box gets
// the answer given, any other message box is read and closed with OK, and a dialog of another
// kind is handed to look() and closed. What it saw is kept for the test to check.
class ScriptedOperator
{
public:
    struct SeenBox
    {
        QString text;
        QString informative;
        QString details;
        bool question = false;
        bool noIsDefault = false;
    };

    // A file dialog as it opened: the folder it showed and the file it suggested.
    struct SeenFileDialog
    {
        QString folder;
        QString suggested;
    };

    explicit ScriptedOperator(const QStringList &files = {}, bool answerYes = false);

    void lookAtDialogs(std::function<void(QDialog *)> look) { m_look = std::move(look); }

    const QList<SeenBox> &boxes() const { return m_boxes; }
    QStringList boxTexts() const;
    int fileDialogs() const { return int(m_fileDialogs.size()); }
    const QList<SeenFileDialog> &fileDialogsSeen() const { return m_fileDialogs; }

private:
    void answer(QWidget *modal);

    QStringList m_files;
    bool m_answerYes = false;
    std::function<void(QDialog *)> m_look;
    QList<SeenBox> m_boxes;
    QList<SeenFileDialog> m_fileDialogs;
    ModalWatcher m_watcher; // last: it answers with everything above in place
};
