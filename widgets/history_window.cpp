#include "widgets/history_window.h"

#include "record/exchange_record.h"
#include "settings/item_captions.h"
#include "settings/settings_compare.h"
#include "settings/settings_file.h"
#include "settings/settings_items.h"
#include "settings/shown_value.h"
#include "widgets/history_model.h"
#include "widgets/message_box.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace telvaro::record;
using namespace telvaro::settings;

namespace telvaro::widgets {

namespace {

const QString kHidden = QStringLiteral("********");

QTableWidget *itemTable(const QStringList &captions, QWidget *parent)
{
    auto *table = new QTableWidget(0, int(captions.size()), parent);
    table->setHorizontalHeaderLabels(captions);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void addRow(QTableWidget *table, const QStringList &cells, const QString &tip)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    table->item(row, 0)->setToolTip(tip);
}

} // namespace

HistoryWindow::HistoryWindow(const state::SettingsState &state, Hooks hooks)
    : QDialog(nullptr), m_state(state), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("通信履歴"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    // It may stay open; the program ends with its main window all the same.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("HistorySearch"));
    m_search->setPlaceholderText(QStringLiteral("検索"));
    m_loggerOnly = new QCheckBox(QStringLiteral("このロガーのみ"), this);
    m_loggerOnly->setObjectName(QStringLiteral("HistoryLoggerOnly"));
    connect(m_search, &QLineEdit::textChanged, this, &HistoryWindow::refresh);
    connect(m_loggerOnly, &QCheckBox::toggled, this, &HistoryWindow::refresh);
    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("検索:"), this));
    filters->addWidget(m_search, 1);
    filters->addWidget(m_loggerOnly);

    m_model = new HistoryModel(this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->setWordWrap(false);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { select(current.row()); });

    m_changes = itemTable({QStringLiteral("項目"), QStringLiteral("書き込み前"), QStringLiteral("書き込み後")}, this);
    m_changes->setObjectName(QStringLiteral("HistoryChanges"));
    m_items = itemTable({QStringLiteral("項目"), QStringLiteral("値")}, this);
    m_items->setObjectName(QStringLiteral("HistoryItems"));
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_list);
    split->addWidget(m_changes);
    split->addWidget(m_items);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("HistoryNote"));
    m_note->setWordWrap(true);

    m_open = new QPushButton(QStringLiteral("画面に開く(&O)"), this);
    m_open->setObjectName(QStringLiteral("HistoryOpen"));
    m_save = new QPushButton(QStringLiteral("ファイルに保存(&S)..."), this);
    m_save->setObjectName(QStringLiteral("HistorySave"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    buttons->addButton(m_open, QDialogButtonBox::ActionRole);
    buttons->addButton(m_save, QDialogButtonBox::ActionRole);
    m_open->setAutoDefault(false);
    m_save->setAutoDefault(false);
    connect(m_open, &QPushButton::clicked, this, &HistoryWindow::openSelected);
    connect(m_save, &QPushButton::clicked, this, &HistoryWindow::askAndSave);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    resize(760, 560);
    showEntry();
}

void HistoryWindow::showEvent(QShowEvent *event)
{
    refresh();
    QDialog::showEvent(event);
}

void HistoryWindow::refresh()
{
    const qint64 selected = m_entry ? m_entry->row : 0;
    const QString logger = m_loggerOnly->isChecked() ? m_hooks.loggerLastRead() : QString();
    // Without a logger read there is none to show the exchanges of.
    if (m_loggerOnly->isChecked() && logger.isEmpty()) {
        m_model->clear();
    } else {
        m_model->reload(m_hooks.recordPath(), logger, m_search->text());
    }
    m_note->setText(m_model->error());
    m_entry.reset();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->entryAt(row).row == selected) {
            m_list->selectRow(row);
            select(row);
            break;
        }
    }
    showEntry();
}

void HistoryWindow::setExchangeRunning(bool running)
{
    m_running = running;
    for (QWidget *widget : {static_cast<QWidget *>(m_search), static_cast<QWidget *>(m_loggerOnly),
                            static_cast<QWidget *>(m_list)})
        widget->setEnabled(!running);
    enableActions();
    // What the exchange added shows once it has ended.
    if (!running && isVisible())
        refresh();
}

void HistoryWindow::select(int row)
{
    m_entry.reset();
    if (row >= 0 && row < m_model->rowCount()) {
        ExchangeRecord record(m_hooks.recordPath(), ExchangeRecord::Opening::ExistingOnly);
        m_entry = record.entry(m_model->entryAt(row).row);
        if (!record.error().isEmpty())
            m_note->setText(record.error());
    }
    showEntry();
}

void HistoryWindow::showEntry()
{
    m_items->setRowCount(0);
    m_changes->setRowCount(0);
    const bool write = m_entry && m_entry->kind == ExchangeEntry::Kind::Write;
    m_changes->setVisible(write);
    if (m_entry) {
        const auto captions = itemCaptions(m_state);
        const auto shown = [this](int item, const std::optional<QString> &value) {
            return value ? shownValue(item, *value, m_state) : QStringLiteral("(なし)");
        };
        if (write && m_entry->before && m_entry->meant) {
            for (const ItemDifference &change : differingItems(*m_entry->before, *m_entry->meant, m_state)) {
                const bool secret = SettingsItems::isSecret(change.item);
                addRow(m_changes,
                       {change.caption.isEmpty() ? change.name : change.caption,
                        secret ? kHidden : shown(change.item, change.left),
                        secret ? QStringLiteral("変更あり") : shown(change.item, change.right)},
                       change.name);
            }
        }
        if (const std::optional<DeviceSettings> &image = m_entry->image()) {
            for (int item = 0; item < SettingsItems::kCount; ++item) {
                if (!image->contains(item))
                    continue;
                const QString name = SettingsItems::at(item).name;
                addRow(m_items,
                       {captions.at(item).isEmpty() ? name : captions.at(item),
                        SettingsItems::isSecret(item) ? kHidden : shown(item, image->value(item))},
                       name);
            }
        }
        m_note->setText(m_entry->succeeded() ? QString() : m_entry->failure);
    }
    m_items->resizeColumnsToContents();
    m_changes->resizeColumnsToContents();
    enableActions();
}

void HistoryWindow::enableActions()
{
    const bool image = m_entry && m_entry->image();
    m_open->setEnabled(!m_running && image);
    m_save->setEnabled(!m_running && image);
}

std::optional<std::pair<DeviceSettings, QString>> HistoryWindow::selectedImage() const
{
    if (!m_entry || !m_entry->image())
        return std::nullopt;
    // The record holds keyed hashes where the passwords were: never a value to use.
    DeviceSettings image = *m_entry->image();
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (SettingsItems::isSecret(item))
            image.remove(item);
    }
    return std::pair{image, QStringLiteral("履歴 #%1").arg(m_entry->row)};
}

void HistoryWindow::openSelected()
{
    if (m_running)
        return;
    if (const auto image = selectedImage())
        m_hooks.openOnScreen(image->first, image->second);
}

bool HistoryWindow::saveSelected(const QString &path)
{
    const auto image = selectedImage();
    if (!image || m_running)
        return false;
    QString reason;
    const QString comment =
        QStringLiteral("%1 (%2) より。パスワードは記録にないため含めていません。")
            .arg(image->second, HistoryModel::cellText(*m_entry, HistoryModel::Time));
    if (!saveSettingsFile(path, image->first, &reason, comment)) {
        showModalWarning(this, QStringLiteral("設定ファイル「%1」に保存できません。").arg(QDir::toNativeSeparators(path)), reason);
        return false;
    }
    m_folder = QFileInfo(path).absolutePath();
    return true;
}

void HistoryWindow::askAndSave()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("ファイルに保存"), m_folder,
                                                      QStringLiteral("設定ファイル (*.txt);;すべてのファイル (*)"));
    if (!path.isEmpty())
        saveSelected(path);
}

} // namespace telvaro::widgets
