#include "cli/provision_report.h"

#include "base/secret_items.h"
#include "text/display_width.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace telvaro::base;
using namespace telvaro::text;
using namespace telvaro::settings;

namespace telvaro::cli {

namespace {

using Verification = LoggerOutcome::Verification;

const QString kNone = QStringLiteral("-");

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 1);
}

// Fixed words for programs reading the report, whatever the language of the table.
QString verificationKeyword(Verification verification)
{
    switch (verification) {
    case Verification::NotReached:
        return QStringLiteral("not reached");
    case Verification::Verified:
        return QStringLiteral("verified");
    case Verification::Differs:
        return QStringLiteral("differs");
    case Verification::Skipped:
        return QStringLiteral("skipped");
    }
    return {};
}

QJsonValue shownValue(int item, const std::optional<QString> &value, bool showSecrets)
{
    if (!value)
        return QJsonValue::Null;
    if (SettingsItems::isSecret(item) && !showSecrets && !value->isEmpty())
        return QLatin1StringView(SecretItems::kMask);
    return *value;
}

QJsonValue itemsObject(const std::optional<DeviceSettings> &settings, bool showSecrets)
{
    if (!settings)
        return QJsonValue::Null;
    QJsonObject items;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (settings->contains(item))
            items.insert(SettingsItems::at(item).name, shownValue(item, settings->value(item), showSecrets));
    }
    return items;
}

QJsonObject loggerObject(const LoggerOutcome &logger, bool showSecrets)
{
    QJsonValue changed = QJsonValue::Null;
    if (logger.changedItems) {
        QJsonArray names;
        for (const int item : *logger.changedItems)
            names.append(SettingsItems::at(item).name);
        changed = names;
    }
    QJsonArray mismatches;
    for (const ItemMismatch &mismatch : logger.mismatches) {
        mismatches.append(QJsonObject{{QStringLiteral("item"), SettingsItems::at(mismatch.item).name},
                                      {QStringLiteral("written"), shownValue(mismatch.item, mismatch.written, showSecrets)},
                                      {QStringLiteral("readBack"), shownValue(mismatch.item, mismatch.readBack, showSecrets)}});
    }
    QJsonValue partly = QJsonValue::Null;
    if (!logger.partlyWritten.isEmpty()) {
        QJsonArray files;
        for (const exchange::ExchangeFailure::Block &block : logger.partlyWritten) {
            files.append(QJsonObject{{QStringLiteral("file"), block.file},
                                     {QStringLiteral("acknowledged"), block.answered},
                                     {QStringLiteral("lines"), block.lines}});
        }
        partly = files;
    }
    return {{QStringLiteral("port"), logger.port},
            {QStringLiteral("state"), ProvisionReport::stateKeyword(logger.state())},
            {QStringLiteral("partlyWritten"), partly},
            {QStringLiteral("interrupted"), logger.interrupted},
            {QStringLiteral("model"), logger.model.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(logger.model)},
            {QStringLiteral("succeeded"), logger.succeeded()},
            {QStringLiteral("error"), logger.succeeded() ? QJsonValue(QJsonValue::Null) : QJsonValue(logger.error)},
            {QStringLiteral("seconds"), std::round(logger.seconds * 10.0) / 10.0},
            {QStringLiteral("itemsChanged"), changed},
            {QStringLiteral("verification"), verificationKeyword(logger.verification)},
            {QStringLiteral("notReadBack"), mismatches},
            {QStringLiteral("notes"), QJsonArray::fromStringList(logger.notes)},
            {QStringLiteral("before"), itemsObject(logger.before, showSecrets)},
            {QStringLiteral("after"), itemsObject(logger.after, showSecrets)}};
}

} // namespace

QString ProvisionReport::stateKeyword(LoggerOutcome::State state)
{
    switch (state) {
    case LoggerOutcome::State::Untouched:
        return QStringLiteral("untouched");
    case LoggerOutcome::State::PartlyWritten:
        return QStringLiteral("partly written");
    case LoggerOutcome::State::Written:
        return QStringLiteral("written");
    case LoggerOutcome::State::Verified:
        return QStringLiteral("verified");
    }
    return {};
}

QString ProvisionReport::verificationText(Verification verification)
{
    switch (verification) {
    case Verification::NotReached:
        return kNone;
    case Verification::Verified:
        return tr("yes");
    case Verification::Differs:
        return tr("NO");
    case Verification::Skipped:
        return tr("skipped");
    }
    return {};
}

QString ProvisionReport::table(const QList<LoggerOutcome> &loggers)
{
    enum Align { Left, Right };
    const QList<Align> aligns = {Left, Left, Right, Left, Right, Left};
    QList<QStringList> rows = {{tr("PORT"), tr("MODEL"), tr("CHANGED"), tr("VERIFIED"), tr("SECONDS"), tr("ERROR")}};
    for (const LoggerOutcome &logger : loggers) {
        rows.append({logger.port, logger.model.isEmpty() ? kNone : logger.model,
                     logger.changedItems ? QString::number(logger.changedItems->size()) : kNone,
                     verificationText(logger.verification), secondsText(logger.seconds),
                     logger.error.section(u'\n', 0, 0)});
    }

    QList<int> widths(aligns.size(), 0);
    for (const QStringList &row : rows) {
        for (int column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths.at(column), displayWidth(row.at(column)));
    }
    QStringList lines;
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            const QString &cell = row.at(column);
            const QString padding(widths.at(column) - displayWidth(cell), u' ');
            if (column > 0)
                line += QStringLiteral("  ");
            line += aligns.at(column) == Right ? padding + cell : cell + padding;
        }
        while (line.endsWith(u' '))
            line.chop(1);
        lines.append(line);
    }
    return lines.join(u'\n');
}

std::optional<QStringList> ProvisionReport::portsNotVerified(const QByteArray &json, QString *reason)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        *reason = tr("not JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset);
        return std::nullopt;
    }
    const QJsonValue loggers = document.object().value(QStringLiteral("loggers"));
    if (!loggers.isArray()) {
        *reason = tr("no \"loggers\" list: not a report of telvaro-cli provision");
        return std::nullopt;
    }
    const QString verified = verificationKeyword(Verification::Verified);
    QStringList ports;
    for (const QJsonValue &logger : loggers.toArray()) {
        const QString port = logger.toObject().value(QStringLiteral("port")).toString();
        if (port.isEmpty()) {
            *reason = tr("a logger without a \"port\": not a report of telvaro-cli provision");
            return std::nullopt;
        }
        if (logger.toObject().value(QStringLiteral("verification")).toString() != verified)
            ports.append(port);
    }
    return ports;
}

QByteArray ProvisionReport::json(const ProvisionRecord &record, bool showSecrets)
{
    QJsonArray loggers;
    for (const LoggerOutcome &logger : record.loggers)
        loggers.append(loggerObject(logger, showSecrets));
    const QJsonObject report{
        {QStringLiteral("program"), record.program},
        {QStringLiteral("template"), record.templateFile},
        {QStringLiteral("units"), record.unitsFile.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(record.unitsFile)},
        {QStringLiteral("started"), record.started.toString(Qt::ISODate)},
        {QStringLiteral("interruptedBy"),
         record.interruptedBy.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(record.interruptedBy)},
        {QStringLiteral("succeeded"), std::all_of(record.loggers.begin(), record.loggers.end(),
                                                  [](const LoggerOutcome &logger) { return logger.succeeded(); })},
        {QStringLiteral("loggers"), loggers}};
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

} // namespace telvaro::cli
