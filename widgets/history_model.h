#pragma once

#include "record/exchange_entry.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

namespace telvaro::widgets {

// The exchanges of the record as the history window lists them, newest first, one row each:
// what the window shows without any widget, so that it can be checked on its own.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Number, Time, Logger, Model, Port, Kind, Outcome, User, kColumns };

    using QAbstractTableModel::QAbstractTableModel;

    // Reads the record at path again: the exchanges of the logger with identity `logger` (all
    // when empty) whose row shows `search` somewhere, case aside. False, with error(), when the
    // record cannot be read; a record not yet made is an empty list.
    bool reload(const QString &path, const QString &logger, const QString &search);
    const QString &error() const { return m_error; }
    void clear();

    const record::ExchangeEntry &entryAt(int row) const { return m_entries.at(row); }

    // The text of a cell: the time in local time, the logger's identity with its label, the kind
    // and outcome in Japanese.
    static QString cellText(const record::ExchangeEntry &entry, int column, const QHash<QString, QString> &labels = {});

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<record::ExchangeEntry> m_entries;
    QHash<QString, QString> m_labels; // of the identities, as the operator gave them
    QString m_error;
};

} // namespace telvaro::widgets
