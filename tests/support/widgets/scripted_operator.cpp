#include "support/widgets/scripted_operator.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

ScriptedOperator::ScriptedOperator(const QStringList &files, bool answerYes)
    : m_files(files)
    , m_answerYes(answerYes)
    , m_watcher([this](QWidget *modal) { answer(modal); })
{
}

QStringList ScriptedOperator::boxTexts() const
{
    QStringList texts;
    for (const SeenBox &box : m_boxes)
        texts.append(box.text);
    return texts;
}

void ScriptedOperator::answer(QWidget *modal)
{
    if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
        m_fileDialogs.append({dialog->directory().absolutePath(), QFileInfo(dialog->selectedFiles().value(0)).fileName()});
        if (m_files.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(m_files.takeFirst());
        static_cast<QDialog *>(dialog)->accept(); // as the dialog's own button does: it checks the choice

        return;
    }
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        const bool question = box->button(QMessageBox::Yes) != nullptr;
        m_boxes.append({box->text(), box->informativeText(), box->detailedText(), question,
                        question && box->defaultButton() == box->button(QMessageBox::No)});
        if (question)
            box->button(m_answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        else
            box->button(QMessageBox::Ok)->click();
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        if (m_look)
            m_look(dialog);
        dialog->reject();
    }
    // Anything else is left for the watcher's time limit to catch.
}
