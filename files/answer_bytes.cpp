#include "files/answer_bytes.h"

#include "base/logger_items.h"
#include "state/settings_state.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

using namespace telvaro::base;
using namespace telvaro::state;

namespace telvaro::files {

namespace {

// Where a read keeps the answer for an item: its block and its position there, from 1.
struct ImageEntry
{
    ItemBlock block = ItemBlock::Header;
    int position = 0;
};

// An item under one of its row's names: "ALARM5", or "CAEEWF5" as "ArmNet.eep" names it.
QString itemName(std::string_view rowName, const LoggerItems::Row &row, int number)
{
    const QString name = LoggerItems::textOf(rowName);
    return LoggerItems::isNumbered(row) ? name + QString::number(number) : name;
}

const QByteArray &bytesAt(const DeviceImageBytes &image, const ImageEntry &entry)
{
    switch (entry.block) {
    case ItemBlock::Channel:
        return image.EepChannel.at(entry.position);
    case ItemBlock::Mail:
        return image.EepMail.at(entry.position);
    case ItemBlock::Connection:
        return image.EepConnect.at(entry.position);
    case ItemBlock::Header:
        break; // no item of the table: what the logger says of itself is never written
    }
    static const QByteArray none;
    return none;
}

std::optional<ImageEntry> imageEntryOfScriptKey(QStringView key)
{
    if (!key.endsWith(u'=') && !key.endsWith(u','))
        return std::nullopt;
    const QStringView name = key.chopped(1);
    // Every item is compared whole, so that a single item ending in a digit ("CADNS1") is never
    // taken for a numbered one, nor "mode03" for "mode3".
    for (const LoggerItems::Row &row : LoggerItems::kRows) {
        for (int number = row.first; number < row.first + LoggerItems::itemsOf(row); ++number) {
            for (const std::string_view rowName : {row.name, row.alsoWrittenAs}) {
                if (!rowName.empty() && itemName(rowName, row, number) == name)
                    return ImageEntry{row.block, LoggerItems::positionOf(row.name, number)};
            }
        }
    }
    return std::nullopt;
}

} // namespace

QList<ScriptLine> withAnswerBytes(QList<ScriptLine> lines, const DeviceImageBytes &image)
{
    for (ScriptLine &line : lines) {
        if (const std::optional<ImageEntry> entry = imageEntryOfScriptKey(line.key))
            line.answerBytes = bytesAt(image, *entry);
    }
    return lines;
}

} // namespace telvaro::files
