#pragma once

#include "record/exchange_entry.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace telvaro::record {

// The record of exchanges in one SQLite file: WAL and a busy time-out, so that the loggers of a
// provision, each on a thread with an ExchangeRecord of its own, and other programs can all add
// to it at once. The program makes the schema and marks its version; a record of a newer
// version is refused and left as it is. An ExchangeRecord lives in, and is used from, one thread.
class ExchangeRecord
{
    Q_DECLARE_TR_FUNCTIONS(ExchangeRecord)

public:
    static constexpr int kSchemaVersion = 1;
    // How long a writer waits for another to finish before it gives up.
    static constexpr int kBusyMilliseconds = 10000;

    // record.sqlite in the per-user folder.
    static QString defaultPath();
    // The record a program keeps unless told otherwise: the file TELVARO_RECORD names, else
    // defaultPath().
    static QString configuredPath();

    enum class Opening {
        CreateIfMissing, // a write: the file, its folder when it is the per-user one, the schema
        ExistingOnly,    // a look: a missing file is an empty record and nothing is made
    };
    explicit ExchangeRecord(const QString &path, Opening opening = Opening::CreateIfMissing);
    ~ExchangeRecord();
    ExchangeRecord(const ExchangeRecord &) = delete;
    ExchangeRecord &operator=(const ExchangeRecord &) = delete;

    const QString &path() const { return m_path; }
    // Usable. Not so with error() empty: ExistingOnly found no file, and the record is empty.
    bool isOpen() const { return m_error.isEmpty() && !m_empty; }
    // Why the record cannot be used, naming the file.
    const QString &error() const { return m_error; }

    // Adds the entry with its passwords hashed; its row is set. False, with error(), when it
    // cannot be written; an id already there is not added again, and is no failure.
    bool add(ExchangeEntry &entry);

    struct Filter
    {
        QString logger; // an identity
        QString port;   // as given, or a device
        bool failedOnly = false;
        int limit = 0; // the newest this many; 0 for all
        QDateTime since; // those that began then or later; invalid for all
    };
    // The entries newest first, without their settings.
    QList<ExchangeEntry> list(const Filter &filter);
    // One entry with its settings; nothing when there is none of that row (error() empty) or
    // the record cannot be read (error() says why).
    std::optional<ExchangeEntry> entry(qint64 row);

    // The labels people gave identities, by identity; empty where none was given.
    static constexpr int kLabelLength = 200;
    // Gives the identity a label, or takes its label away with an empty one. False, with
    // error(), when the record cannot be written.
    bool setLabel(const QString &identity, const QString &label);
    QHash<QString, QString> labels();

private:
    bool hasLabels();
    bool open(Opening opening);
    bool prepareSchema(Opening opening);
    QString failed(const QString &what, const QString &why);

    QString m_path;
    QString m_connection;
    QByteArray m_key;
    QString m_error;
    bool m_empty = false; // ExistingOnly of a missing file
};

} // namespace telvaro::record
