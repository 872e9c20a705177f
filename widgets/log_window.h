#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::widgets {

// The window "通信ログ": the exchange log as it grows, each line after the time it came, both
// passwords masked. It is no modal window: it may stay open beside the main window, during an
// exchange too. Nothing of the log reaches the disk unless the operator saves it.
class LogWindow : public QDialog
{
    Q_OBJECT

public:
    LogWindow(const model::ScreenModel &screen, QWidget *parent);

    QPlainTextEdit *text() const { return m_text; }

    // "保存(&S)...": the log as shown, into a file the operator chooses.
    void saveToFile();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLog();

    const model::ScreenModel &m_screen;
    QPlainTextEdit *m_text = nullptr;
    QStringList m_lines; // as shown
    QString m_folder;    // where the last log was saved
};

} // namespace telvaro::widgets
