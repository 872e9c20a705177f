#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

class QPlainTextEdit;

namespace telvaro::exchange {
class WireLog;
} // namespace telvaro::exchange

namespace telvaro::widgets {

// The window "通信ログ": every line of the last exchange as it grows, marked sent (→) or
// received (←), after the time it came, both passwords masked. It is a window of its own, no
// modal one and never kept above the main window: it may stay open beside it, during an
// exchange too, and closes with it. Nothing of the log reaches the disk unless the operator
// saves it.
class LogWindow : public QDialog
{
    Q_OBJECT

public:
    explicit LogWindow(const exchange::WireLog &log);

    // Shows the window; the first time, beside the main window where the screen has room.
    void showBeside(const QWidget *mainWindow);

    // Where a window of size `size` goes beside `main` on a screen whose free area is
    // `available`: to its right, else to its left, each as wide as there is room for down to
    // half the size; nothing when neither side has that room.
    static std::optional<QRect> placeBeside(const QRect &main, const QSize &size, const QRect &available);

    QPlainTextEdit *text() const { return m_text; }

    // "保存(&S)...": the log as shown, into a file the operator chooses.
    void saveToFile();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLog();

    const exchange::WireLog &m_log;
    QPlainTextEdit *m_text = nullptr;
    bool m_placed = false;
    QStringList m_lines; // as shown
    QString m_folder;    // where the last log was saved
};

} // namespace telvaro::widgets
