#include "widgets/settings_file_menu.h"

#include "model/screen_model.h"
#include "screen_files/settings_on_screen.h"
#include "screen_files/settings_opening.h"
#include "settings/settings_file.h"
#include "state/settings_state.h"
#include "widgets/compare_dialog.h"
#include "widgets/message_box.h"
#include "widgets/slot_guard.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>

using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::screen_files;

namespace telvaro::widgets {

namespace {

const QString kNameFilters = QStringLiteral("設定ファイル (*.txt);;すべてのファイル (*)");

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString channelItemsLeftOut(const SettingsOpened &opened)
{
    using ChannelItems = SettingsOpened::ChannelItems;
    switch (opened.channelItems) {
    case ChannelItems::NoModelKnown:
        return QStringLiteral("機種がわかりません。先に設定値を読み込むか、機種 (model=) を含む設定ファイルを開いてください。");
    case ChannelItems::UnknownModel:
        return QStringLiteral("機種 %1 の機種定義ファイルはありません。").arg(opened.model);
    case ChannelItems::DefinitionMissing:
        return QStringLiteral("機種 %1 の機種定義ファイル %2 がありません。").arg(opened.model, shownPath(opened.definitionFile));
    case ChannelItems::DefinitionUnusable:
        return QStringLiteral("機種 %1 の機種定義ファイル %2 を読み込めません: %3")
            .arg(opened.model, shownPath(opened.definitionFile), opened.reason);
    case ChannelItems::Applied:
    case ChannelItems::NoneGiven:
    case ChannelItems::Declined:
        break;
    }
    return QString();
}

} // namespace

SettingsFileMenu::SettingsFileMenu(QMainWindow *window, SettingsState &state, ScreenModel &screen, ScreenOrigins &origins,
                                   const AppFolder &appFolder)
    : QObject(window)
    , m_window(window)
    , m_state(state)
    , m_screen(screen)
    , m_origins(origins)
    , m_appFolder(appFolder)
    , m_folder(QDir::homePath())
{
    QMenuBar *bar = window->menuBar();
    m_menu = new QMenu(QStringLiteral("ファイル(&F)"), bar);
    m_menu->setObjectName(QStringLiteral("mnu_File"));
    m_menu->setFont(window->font());
    bar->insertMenu(bar->actions().value(0), m_menu);

    const struct
    {
        const char16_t *caption;
        const char16_t *name;
        QKeySequence shortcut;
        void (SettingsFileMenu::*handler)();
    } items[] = {
        {u"設定ファイルを開く(&O)...", u"mnu_FileOpen", QKeySequence(Qt::CTRL | Qt::Key_O), &SettingsFileMenu::openFile},
        {u"設定ファイルに保存(&A)...", u"mnu_FileSave", QKeySequence(Qt::CTRL | Qt::Key_S), &SettingsFileMenu::saveFile},
        {u"設定ファイルと比較(&C)...", u"mnu_FileCompare", QKeySequence(), &SettingsFileMenu::compareWithFile},
    };
    for (const auto &item : items) {
        QAction *action = m_menu->addAction(QString::fromUtf16(item.caption));
        action->setObjectName(QString::fromUtf16(item.name));
        action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this, [this, handler = item.handler] {
            runGuarded("a settings file", [this, handler] { (this->*handler)(); });
        });
    }

    // Never during an exchange: the exchange disables the settings menu, and this one with it.
    const Control &settingsMenu = m_screen.commands().mnu_Set();
    const auto follow = [this, &settingsMenu] { m_menu->menuAction()->setEnabled(settingsMenu.isEnabled()); };
    follow();
    connect(&settingsMenu, &Control::changed, m_menu, follow);
}

void SettingsFileMenu::openFile()
{
    const std::optional<QString> path = askFileToRead(QStringLiteral("設定ファイルを開く"));
    if (!path)
        return;
    const std::optional<DeviceSettings> file = readFile(*path, QStringLiteral("画面は変わっていません。"));
    if (!file)
        return;
    openSettings(*file, *path);
    emit fileUsed(*path);
}

void SettingsFileMenu::openSettings(const DeviceSettings &file, const QString &name)
{
    const SettingsOpened opened = openOnScreen(file, m_state, m_screen, m_origins, {ScreenOrigins::Source::File, name}, m_appFolder,
                                               [this, &name](const QString &fileModel, const QString &screenModel) {
                                                   return applyOtherModelsChannelItems(name, fileModel, screenModel);
                                               });
    const QString why = channelItemsLeftOut(opened);
    if (!why.isEmpty())
        showModalWarning(m_window, QStringLiteral("チャンネルの設定 (要素名と警報値) は画面に反映していません。"), why);
}

bool SettingsFileMenu::applyOtherModelsChannelItems(const QString &path, const QString &fileModel, const QString &screenModel)
{
    return askModalQuestion(m_window,
                            QStringLiteral("設定ファイル「%1」は機種 %2 の設定です。画面は機種 %3 の設定です。")
                                .arg(shownPath(path), fileModel, screenModel),
                            QStringLiteral("チャンネルの設定 (要素名と警報値) も画面に反映しますか？\n"
                                           "「いいえ」では、それ以外の設定だけを反映します。"));
}

void SettingsFileMenu::saveFile()
{
    const std::optional<QString> path = askFileToSave();
    if (!path)
        return;
    QString reason;
    if (!saveSettingsFile(*path, settingsToSave(m_state, m_screen, m_origins), &reason, m_origins.description())) {
        showModalWarning(m_window, QStringLiteral("設定ファイル「%1」に保存できません。").arg(shownPath(*path)), reason);
        return;
    }
    emit fileUsed(*path);
}

void SettingsFileMenu::compareWithFile()
{
    const std::optional<QString> path = askFileToRead(QStringLiteral("設定ファイルと比較"));
    if (!path)
        return;
    const std::optional<DeviceSettings> file = readFile(*path, QStringLiteral("比較していません。"));
    if (!file)
        return;
    CompareDialog dialog(*path, differencesFromScreen(*file, m_state, m_screen), m_state, m_window);
    dialog.exec();
}

std::optional<QString> SettingsFileMenu::askFileToRead(const QString &title)
{
    QFileDialog dialog(m_window, title, m_folder, kNameFilters);
    dialog.setObjectName(QStringLiteral("SettingsFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosen(dialog);
}

std::optional<QString> SettingsFileMenu::askFileToSave()
{
    QFileDialog dialog(m_window, QStringLiteral("設定ファイルに保存"), m_folder, kNameFilters);
    dialog.setObjectName(QStringLiteral("SettingsFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggestedName());
    std::optional<QString> path = chosen(dialog);
    // ".txt" is added to a new name only: never beside a device or another file already there.
    if (path && !QFileInfo::exists(*path) && QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".txt");
    return path;
}

std::optional<QString> SettingsFileMenu::chosen(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    // A path typed whole may lie in another folder than the one the dialog shows.
    m_folder = QFileInfo(path).absolutePath();
    return path;
}

QString SettingsFileMenu::suggestedName() const
{
    const QString model = m_state.ModelCode.value_or(QStringLiteral("設定"));
    return QStringLiteral("%1_%2.txt").arg(model, QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
}

std::optional<DeviceSettings> SettingsFileMenu::readFile(const QString &path, const QString &whatNot)
{
    SettingsFileContents contents;
    QString reason;
    // A pipe would hold the window up until something writes into it; a device is no file.
    if (!QFileInfo(path).isFile()) {
        showModalWarning(m_window, QStringLiteral("設定ファイル「%1」を読み込めません。%2").arg(shownPath(path), whatNot),
                         QStringLiteral("通常のファイルではありません。"));
        return std::nullopt;
    }
    if (!readSettingsFile(path, &contents, &reason)) {
        showModalWarning(m_window, QStringLiteral("設定ファイル「%1」を読み込めません。%2").arg(shownPath(path), whatNot), reason);
        return std::nullopt;
    }
    if (!contents.errors.isEmpty()) {
        QStringList lines;
        for (const SettingsFileError &error : contents.errors)
            lines.append(describe(error));
        showModalWarning(m_window, QStringLiteral("設定ファイル「%1」に誤りがあります。%2").arg(shownPath(path), whatNot),
                         lines.join(u'\n'));
        return std::nullopt;
    }
    if (contents.settings.count() == 0) {
        showModalWarning(m_window, QStringLiteral("設定ファイル「%1」には設定の項目がありません。%2").arg(shownPath(path), whatNot),
                         QStringLiteral("空のファイルか、コメントだけのファイルです。"));
        return std::nullopt;
    }
    return contents.settings;
}

} // namespace telvaro::widgets
