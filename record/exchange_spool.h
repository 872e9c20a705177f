#pragma once

#include "record/exchange_entry.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::record {

class ExchangeRecord;

// Where an entry waits when its record cannot be written: a file of its own in the folder
// spool/ beside the record, its owner's alone, until a record of that path is next written or
// synced. The passwords are hashed under the record's key before they are kept, as in the
// record; the entry's id keeps a synced entry from being added twice.
class ExchangeSpool
{
    Q_DECLARE_TR_FUNCTIONS(ExchangeSpool)

public:
    static QString folderFor(const QString &recordPath);

    // Keeps the entry: the file it was written to, or nothing with the reason.
    static std::optional<QString> keep(const QString &recordPath, const ExchangeEntry &entry, QString *reason);

    struct Synced
    {
        int written = 0;     // entries added to the record (or found there already) and taken out
        int left = 0;        // entries still waiting
        QStringList problems; // why each that is left could not be added, naming its file
    };
    // Adds every waiting entry to the record, oldest first; it stops at the first the record
    // cannot take, and leaves a file it cannot read where it is.
    static Synced sync(ExchangeRecord &record);
    // The entries waiting for the record at recordPath.
    static int waiting(const QString &recordPath);
};

} // namespace telvaro::record
