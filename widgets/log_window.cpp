#include "widgets/log_window.h"

#include "exchange/exchange_log.h"
#include "settings/small_file.h"
#include "widgets/message_box.h"
#include "widgets/slot_guard.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::exchange;

namespace telvaro::widgets {

LogWindow::LogWindow(const ScreenModel &screen, QWidget *parent)
    : QDialog(parent)
    , m_screen(screen)
    , m_folder(QDir::homePath())
{
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(QStringLiteral("通信ログ"));
    setModal(false);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

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
    connect(&m_screen, &ScreenModel::logChanged, this, [this] {
        if (isVisible())
            showLog();
    });
}

void LogWindow::showEvent(QShowEvent *event)
{
    showLog();
    QDialog::showEvent(event);
}

void LogWindow::showLog()
{
    const QStringList lines = readableLogLines(m_screen.logPieces());
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
    if (!replaceSmallFile(path, logFileBytes(readableLogLines(m_screen.logPieces())), std::nullopt, &reason))
        showModalWarning(this, QStringLiteral("通信ログ「%1」を保存できません。").arg(QDir::toNativeSeparators(path)), reason);
}

} // namespace telvaro::widgets
