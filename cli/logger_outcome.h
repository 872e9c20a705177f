#pragma once

#include "exchange/exchange_failure.h"
#include "settings/device_settings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::cli {

// An item that did not read back as the write meant to set it.
struct ItemMismatch
{
    int item = 0;
    QString written;                // what the write sent
    std::optional<QString> readBack; // what it answered, nothing when the read-back lacks the item

    friend bool operator==(const ItemMismatch &, const ItemMismatch &) = default;
};

// What became of one logger in a write or a provision.
struct LoggerOutcome
{
    enum class Verification {
        NotReached, // the write did not end, or the read-back failed
        Verified,   // every item read back as written
        Differs,    // some item did not: see mismatches
        Skipped,    // asked not to verify
    };

    QString port;  // as given on the command line
    QString model; // the model code the logger reported; empty when it was not read
    std::optional<settings::DeviceSettings> before; // as read before the write
    std::optional<settings::DeviceSettings> meant;  // what the logger was to answer after the write
    std::optional<settings::DeviceSettings> after;  // as read back after it
    // The items the write changed, in catalogue order; nothing when no write ended.
    std::optional<QList<int>> changedItems;
    QList<ItemMismatch> mismatches;
    Verification verification = Verification::NotReached;
    double seconds = 0;
    bool dryRun = false; // read and planned only: meant and changedItems say what a write would do
    QString error; // what went wrong, in the operator's terms; empty when everything succeeded
    QStringList notes; // what the operator should know besides: items left alone, values questioned

    bool succeeded() const { return error.isEmpty(); }

    // Of a write cut short once the logger had acknowledged a line (a failure, or a stop at
    // once): every script file with the lines acknowledged of it. Empty otherwise.
    QList<exchange::ExchangeFailure::Block> partlyWritten;
    bool interrupted = false; // a stop signal ended its work before its end

    // How far the logger got, whatever went wrong.
    enum class State { Untouched, PartlyWritten, Written, Verified };
    State state() const
    {
        if (!partlyWritten.isEmpty())
            return State::PartlyWritten;
        if (verification == Verification::Verified)
            return State::Verified;
        return changedItems ? State::Written : State::Untouched;
    }
};

} // namespace telvaro::cli
