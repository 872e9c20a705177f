#include "record/secret_hash.h"

#include "settings/settings_items.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QTemporaryFile>

namespace telvaro::record {

using namespace telvaro::settings;

namespace {

const QString kPrefix = QStringLiteral("hmac-sha256:");

bool readKey(const QString &path, QByteArray *key, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    *key = file.read(SecretHash::kKeyBytes + 1);
    return true;
}

} // namespace

QString SecretHash::keyPathFor(const QString &recordPath)
{
    return recordPath + QStringLiteral(".key");
}

std::optional<QByteArray> SecretHash::keyFor(const QString &recordPath, QString *reason)
{
    const QString path = keyPathFor(recordPath);
    QByteArray key;
    if (QFileInfo::exists(path)) {
        if (!readKey(path, &key, reason)) {
            *reason = tr("the key %1 cannot be read: %2").arg(path, *reason);
            return std::nullopt;
        }
        if (key.size() != kKeyBytes) {
            *reason = tr("the key %1 is not a key of a record (%2 bytes)").arg(path).arg(key.size());
            return std::nullopt;
        }
        return key;
    }
    // Written whole under another name and then given its own in one step, refusing to replace
    // one there: writers starting at once all end up with the one key that won.
    QTemporaryFile made(path + QStringLiteral(".XXXXXX"));
    key.resize(kKeyBytes);
    QRandomGenerator::system()->generate(key.begin(), key.end());
    if (!made.open() || made.write(key) != key.size() || !made.flush()
        || !made.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        *reason = tr("the key %1 cannot be made: %2").arg(path, made.errorString());
        return std::nullopt;
    }
    made.close();
    if (made.rename(path)) {
        made.setAutoRemove(false);
        return key;
    }
    if (!readKey(path, &key, reason) || key.size() != kKeyBytes) {
        *reason = tr("the key %1 cannot be made: %2").arg(path, made.errorString());
        return std::nullopt;
    }
    return key;
}

QString SecretHash::hashed(const QByteArray &key, const QString &password)
{
    return kPrefix
           + QString::fromLatin1(
               QMessageAuthenticationCode::hash(password.toUtf8(), key, QCryptographicHash::Sha256).toHex());
}

bool SecretHash::isHashed(const QString &value)
{
    return value.startsWith(kPrefix);
}

DeviceSettings SecretHash::hidden(const QByteArray &key, DeviceSettings settings)
{
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        const std::optional<QString> &value = settings.value(item);
        // An entry kept in the spool comes with its passwords hashed already.
        if (SettingsItems::isSecret(item) && value && *value != u"???" && !isHashed(*value))
            settings.set(item, hashed(key, *value));
    }
    return settings;
}

} // namespace telvaro::record
