#include "widgets/log_window.h"

#include "exchange/wire_log.h"
#include "settings/small_file.h"
#include "widgets/message_box.h"
#include "widgets/screen_font.h"
#include "widgets/slot_guard.h"

#include <QScreen>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace telvaro::settings;
using namespace telvaro::exchange;

namespace telvaro::widgets {

namespace {

constexpr int kGap = 8;

} // namespace

LogWindow::LogWindow(const WireLog &log)
    : QDialog(nullptr)
    , m_log(log)
    , m_folder(QDir::homePath())
{
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(QStringLiteral("通信ログ"));
    setModal(false);
    // Left open, it does not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The screen's typeface has the half-width katakana that the logger's answers may hold.
    m_text->setFont(screenFont());

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *save = buttons->addButton(QStringLiteral("保存(&S)..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("LogSave"));
    buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, [this] { runGuarded("saving the log", [this] { saveToFile(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(640, 420);

    // Followed only while shown: a hidden window has nothing to keep up to date.
    connect(&m_log, &WireLog::changed, this, [this] {
        if (isVisible())
            showLog();
    });
}

void LogWindow::showEvent(QShowEvent *event)
{
    showLog();
    QDialog::showEvent(event);
}

void LogWindow::showBeside(const QWidget *mainWindow)
{
    if (!m_placed) {
        const QScreen *screen = mainWindow->screen();
        if (const std::optional<QRect> place = placeBeside(mainWindow->frameGeometry(), size(), screen->availableGeometry()))
            setGeometry(*place);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

std::optional<QRect> LogWindow::placeBeside(const QRect &main, const QSize &size, const QRect &available)
{
    const int rightRoom = available.right() - main.right() - kGap;
    const int leftRoom = main.left() - available.left() - kGap;
    const int least = size.width() / 2;
    const int height = std::min(size.height(), available.height());
    const int top = std::clamp(main.top(), available.top(), available.bottom() + 1 - height);
    if (rightRoom >= least)
        return QRect(main.right() + 1 + kGap, top, std::min(size.width(), rightRoom), height);
    if (leftRoom >= least) {
        const int width = std::min(size.width(), leftRoom);
        return QRect(main.left() - kGap - width, top, width, height);
    }
    return std::nullopt;
}

void LogWindow::showLog()
{
    const QStringList lines = m_log.readableLines();
    QScrollBar *scroll = m_text->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    // A log that grew keeps its earlier lines, the last of them perhaps longer: only the rest is
    // added, so the operator's place in it stays.
    const qsizetype kept = m_lines.isEmpty() ? 0 : m_lines.size() - 1;
    const bool grew = lines.size() >= m_lines.size() && std::equal(m_lines.begin(), m_lines.begin() + kept, lines.begin())
                      && (m_lines.isEmpty() || lines.at(kept).startsWith(m_lines.last()));
    if (grew && !m_lines.isEmpty()) {
        QTextCursor end(m_text->document());
        end.movePosition(QTextCursor::End);
        end.insertText(lines.at(kept).mid(m_lines.last().size()));
        for (qsizetype i = kept + 1; i < lines.size(); ++i)
            end.insertText(u'\n' + lines.at(i));
    } else {
        m_text->setPlainText(lines.join(u'\n'));
    }
    m_lines = lines;
    if (atEnd)
        scroll->setValue(scroll->maximum());
}

void LogWindow::saveToFile()
{
    QFileDialog dialog(this, QStringLiteral("通信ログを保存"), m_folder,
                       QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)"));
    dialog.setObjectName(QStringLiteral("LogFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QDateTime::currentDateTime().toString(QStringLiteral("'通信ログ_'yyyyMMdd_HHmmss'.txt'")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_folder = dialog.directory().absolutePath();
    const QString path = dialog.selectedFiles().first();
    QString reason;
    if (!replaceSmallFile(path, WireLog::fileBytes(m_log.readableLines()), std::nullopt, &reason))
        showModalWarning(this, QStringLiteral("通信ログ「%1」を保存できません。").arg(QDir::toNativeSeparators(path)), reason);
}

} // namespace telvaro::widgets
