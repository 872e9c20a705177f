#include "widgets/history_model.h"

#include "record/exchange_record.h"

using namespace telvaro::record;

namespace telvaro::widgets {

bool HistoryModel::reload(const QString &path, const QString &logger, const QString &search)
{
    ExchangeRecord record(path, ExchangeRecord::Opening::ExistingOnly);
    ExchangeRecord::Filter filter;
    filter.logger = logger;
    QList<ExchangeEntry> entries = record.list(filter);
    QHash<QString, QString> labels = entries.isEmpty() ? QHash<QString, QString>() : record.labels();
    m_error = record.error();
    const QString wanted = search.trimmed();
    if (!wanted.isEmpty()) {
        entries.removeIf([&wanted, &labels](const ExchangeEntry &entry) {
            for (int column = 0; column < kColumns; ++column) {
                if (cellText(entry, column, labels).contains(wanted, Qt::CaseInsensitive))
                    return false;
            }
            return true;
        });
    }
    beginResetModel();
    m_entries = std::move(entries);
    m_labels = std::move(labels);
    endResetModel();
    return m_error.isEmpty();
}

void HistoryModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_error.clear();
    endResetModel();
}

QString HistoryModel::cellText(const ExchangeEntry &entry, int column, const QHash<QString, QString> &labels)
{
    switch (column) {
    case Number:
        return QString::number(entry.row);
    case Time:
        return entry.when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Logger:
        return identityWithLabel(entry.identity, labels.value(entry.identity));
    case Model:
        return entry.model;
    case Port:
        return entry.device.isEmpty() || entry.device == entry.port ? entry.port
                                                                    : QStringLiteral("%1 (%2)").arg(entry.port, entry.device);
    case Kind:
        return entry.kind == ExchangeEntry::Kind::Read ? QStringLiteral("読込") : QStringLiteral("書込");
    case Outcome:
        return entry.succeeded() ? QStringLiteral("成功") : QStringLiteral("失敗: ") + entry.failure.section(u'\n', 0, 0);
    case User:
        return entry.user;
    default:
        return {};
    }
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const ExchangeEntry &entry = m_entries.at(index.row());
    if (role == Qt::DisplayRole)
        return cellText(entry, index.column(), m_labels);
    if (role == Qt::ToolTipRole && index.column() == Outcome && !entry.succeeded())
        return entry.failure;
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList captions = {QStringLiteral("番号"), QStringLiteral("日時"), QStringLiteral("ロガー"),
                                         QStringLiteral("機種"), QStringLiteral("ポート"), QStringLiteral("種類"),
                                         QStringLiteral("結果"), QStringLiteral("ユーザー")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < captions.size())
        return captions.at(section);
    return {};
}

} // namespace telvaro::widgets
