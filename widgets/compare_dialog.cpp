#include "widgets/compare_dialog.h"

#include "settings/shown_value.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace telvaro::settings;

namespace telvaro::widgets {

namespace {

enum Column { Caption, OnScreen, InFile, kColumns };

// An empty value shows as an empty cell; a value not given at all says so, greyed.
QTableWidgetItem *valueCell(int item, const std::optional<QString> &value, const state::SettingsState &state)
{
    auto *cell = new QTableWidgetItem(value ? shownValue(item, *value, state) : QStringLiteral("(なし)"));
    if (!value)
        cell->setForeground(Qt::gray);
    return cell;
}

} // namespace

CompareDialog::CompareDialog(const QString &filePath, const QList<ItemDifference> &differences,
                             const state::SettingsState &state, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(QStringLiteral("設定ファイルと比較"));
    const QString file = QDir::toNativeSeparators(filePath);
    auto *summary = new QLabel(differences.isEmpty()
                                   ? QStringLiteral("画面と「%1」の値はすべて同じです。").arg(file)
                                   : QStringLiteral("画面と「%1」で値の異なる項目: %2 件").arg(file).arg(differences.size()),
                               this);
    summary->setWordWrap(true);

    m_table = new QTableWidget(int(differences.size()), kColumns, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("画面の値"), QStringLiteral("ファイルの値")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (int row = 0; row < differences.size(); ++row) {
        const ItemDifference &difference = differences.at(row);
        // An ALARM item that no row of the model sends has no field to name.
        auto *caption = new QTableWidgetItem(difference.caption.isEmpty() ? difference.name : difference.caption);
        caption->setToolTip(difference.name);
        m_table->setItem(row, Caption, caption);
        m_table->setItem(row, OnScreen, valueCell(difference.item, difference.left, state));
        m_table->setItem(row, InFile, valueCell(difference.item, difference.right, state));
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setVisible(!differences.isEmpty());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(560, differences.isEmpty() ? 120 : 420);
}

} // namespace telvaro::widgets
