#pragma once

#include "settings/device_settings.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

namespace telvaro::record {

// One exchange with one logger, as the record keeps it.
struct ExchangeEntry
{
    enum class Kind { Read, Write };

    qint64 row = 0; // the record's own number of the entry, given when it is added; stable
    QUuid id;       // unique across records: an entry is never added twice
    QDateTime when; // UTC, when the exchange began
    QString user;
    QString machine;
    QString program;
    QString version;
    QString port;     // as given: "COM3", or a device path
    QString device;   // the device it led to: the /dev/serial/by-id name where there is one
    QString identity; // see identityOf(); empty for a logger that has none
    QString model;    // the model code the logger reported; empty when it was not read
    int channels = 0;
    Kind kind = Kind::Read;
    QString failure; // what went wrong, in the operator's terms; empty when it succeeded
    double seconds = 0;
    // A read: what it received. A write: what it was built on, what it meant the logger to
    // hold, and what read back. In the record the passwords are keyed hashes (SecretHash).
    std::optional<settings::DeviceSettings> received;
    std::optional<settings::DeviceSettings> before;
    std::optional<settings::DeviceSettings> meant;
    std::optional<settings::DeviceSettings> readBack;

    bool succeeded() const { return failure.isEmpty(); }
    // The logger's items as the exchange left it: what a read received, what a write read back,
    // else what it meant, else what it was built on; nothing when none was recorded.
    const std::optional<settings::DeviceSettings> &image() const
    {
        return received ? received : readBack ? readBack : meant ? meant : before;
    }
    // Takes the model, channel count and identity from the logger's settings as first read.
    void describeLogger(const settings::DeviceSettings &settings);

    // The logger's identity across exchanges: its sender address CAFROMADDRESS when it holds one,
    // else its POP user CAPOPID, else none. "???" (an item the logger lacks) is none.
    static QString identityOf(const settings::DeviceSettings &settings);
    // "read", "write": as the record stores and shows the kind.
    static QString kindName(Kind kind);
    static std::optional<Kind> kindNamed(const QString &name);
    // A new entry: a fresh id, now, this user, machine and program.
    static ExchangeEntry begun(Kind kind);
};

// The identity with the label the operator gave it, "logger01@example.jp (site 4)"; the identity
// alone without one.
QString identityWithLabel(const QString &identity, const QString &label);

} // namespace telvaro::record
