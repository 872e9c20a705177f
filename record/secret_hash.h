#pragma once

#include "settings/device_settings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

namespace telvaro::record {

// The passwords of a record: kept as HMAC-SHA-256 under a key of the record's own, so that
// whoever shares the record can tell a password changed or the same as another logger's, and
// nobody can read it back. The key lies beside the record file, readable by its owner only.
class SecretHash
{
    Q_DECLARE_TR_FUNCTIONS(SecretHash)

public:
    static constexpr int kKeyBytes = 32;

    // The key of the record at recordPath, made on first use; nothing, with the reason, when it
    // can be neither read nor made.
    static std::optional<QByteArray> keyFor(const QString &recordPath, QString *reason);
    static QString keyPathFor(const QString &recordPath);

    // "hmac-sha256:" and the hash in hex.
    static QString hashed(const QByteArray &key, const QString &password);
    static bool isHashed(const QString &value);
    // The settings with every password hashed; "???", which says the logger lacks the item, stays.
    static settings::DeviceSettings hidden(const QByteArray &key, settings::DeviceSettings settings);
};

} // namespace telvaro::record
