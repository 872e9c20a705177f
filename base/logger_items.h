#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <string_view>

namespace telvaro::base {

// Where a read keeps an item's answer: the read script that asks for it (select.eep,
// select01.eep, select02.eep) and the device image table it lands in. Header items are what the
// logger says of itself (its model code, its answer to "EERC9"): no read script asks for them.
enum class ItemBlock { Header, Channel, Mail, Connection };

// The control of the screen that shows an item and that a write takes it from.
enum class ItemField {
    ElementBox,      // Combo1 of channel row n
    LimitBoxes,      // Text1 (even n, lower) or Text2 (odd n, upper) of the (n / 2)-th row taking limits
    AlarmAddressBox, // Text4(n - 1)
    DataAddressBox,  // Text5(n - 1)
    ConnectionBox,   // Text3(k): the k-th ConnectionBox of the table
    AuthLabel,       // AuthLabel's caption: the code of the authentication type
};

// What a value must look like before a write sends it (the pre-flight check).
enum class ItemCheck { None, DecimalLimit, MailAddress, Ipv4Address };

// The items of the logger, one row each or one row for a numbered run of them (mode0..mode15).
namespace LoggerItems {

struct Row
{
    std::string_view name;        // the logger's name; of a numbered row, what comes before the number
    ItemBlock block = ItemBlock::Header;
    ItemField field = ItemField::ConnectionBox;
    std::u16string_view caption;  // of the field; a numbered row's items add " " and their row or address
    std::u16string_view upperCaption = {}; // LimitBoxes: of the upper limit's box
    int first = 0;                // numbered row: the number of its first item
    int count = 0;                // numbered row: how many items; 0 for a single item without number
    bool secret = false;          // a password: shown and logged as the mask unless asked for
    bool needsApn = false;        // a logger without APN item answers "???" for it
    ItemCheck check = ItemCheck::None;
    std::string_view alsoWrittenAs = {}; // a second name a write sets the same values under
};

// In the order of the read scripts and so of the device image: an item's position within its
// block is its line in the read script and its entry in the image. A settings file lists the
// items in this order, and "Mmail.eep" writes the connection items in it.
inline constexpr std::array kRows{
    Row{.name = "mode", .block = ItemBlock::Channel, .field = ItemField::ElementBox, .caption = u"要素名", .count = 16},
    Row{.name = "ALARM", .block = ItemBlock::Channel, .field = ItemField::LimitBoxes, .caption = u"警報下限値",
        .upperCaption = u"警報上限値", .count = 32, .check = ItemCheck::DecimalLimit, .alsoWrittenAs = "CAEEWF"},
    Row{.name = "CAALARMADDRESS", .block = ItemBlock::Mail, .field = ItemField::AlarmAddressBox,
        .caption = u"警報送信先アドレス", .first = 1, .count = 6, .check = ItemCheck::MailAddress},
    Row{.name = "CADATAADDRESS", .block = ItemBlock::Mail, .field = ItemField::DataAddressBox,
        .caption = u"データ送信先アドレス", .first = 1, .count = 6, .check = ItemCheck::MailAddress},
    Row{.name = "CALOGINID", .block = ItemBlock::Connection, .caption = u"LoginID"},
    Row{.name = "CALOGINPASS", .block = ItemBlock::Connection, .caption = u"LoginPass", .secret = true},
    Row{.name = "CATELNO", .block = ItemBlock::Connection, .caption = u"TelNo"},
    Row{.name = "CAPOPID", .block = ItemBlock::Connection, .caption = u"POPID"},
    Row{.name = "CAPOPPASS", .block = ItemBlock::Connection, .caption = u"POPPASS", .secret = true},
    Row{.name = "CAPOPSERVER", .block = ItemBlock::Connection, .caption = u"POPSERVER"},
    Row{.name = "CASMTPSERVER", .block = ItemBlock::Connection, .caption = u"SMTPSERVER"},
    Row{.name = "CAFROMADDRESS", .block = ItemBlock::Connection, .caption = u"FromAddress", .check = ItemCheck::MailAddress},
    Row{.name = "CADNS1", .block = ItemBlock::Connection, .caption = u"DNS1", .check = ItemCheck::Ipv4Address},
    Row{.name = "CADNS2", .block = ItemBlock::Connection, .caption = u"DNS2", .check = ItemCheck::Ipv4Address},
    Row{.name = "CAAPN", .block = ItemBlock::Connection, .caption = u"APN", .needsApn = true},
    Row{.name = "CAAUTHTYPE", .block = ItemBlock::Connection, .field = ItemField::AuthLabel, .caption = u"Auth",
        .needsApn = true},
};

inline constexpr int kRowCount = int(kRows.size());

constexpr bool isNumbered(const Row &row)
{
    return row.count > 0;
}

constexpr int itemsOf(const Row &row)
{
    return isNumbered(row) ? row.count : 1;
}

// The row of that name, or -1.
constexpr int rowNamed(std::string_view name)
{
    for (int row = 0; row < kRowCount; ++row) {
        if (kRows[std::size_t(row)].name == name)
            return row;
    }
    return -1;
}

constexpr const Row &row(std::string_view name)
{
    return kRows[std::size_t(rowNamed(name))];
}

constexpr int indexOf(const Row &row)
{
    return int(&row - kRows.data());
}

// The items of a block: the lines of its read script.
constexpr int itemsIn(ItemBlock block)
{
    int items = 0;
    for (const Row &row : kRows)
        items += row.block == block ? itemsOf(row) : 0;
    return items;
}

// The position of the row's first item in its block, from 1: its line in the read script, its
// entry in the device image.
constexpr int firstPosition(int row)
{
    int position = 1;
    for (int before = 0; before < row; ++before) {
        if (kRows[std::size_t(before)].block == kRows[std::size_t(row)].block)
            position += itemsOf(kRows[std::size_t(before)]);
    }
    return position;
}

// The position of an item in its block; number is a numbered row's number.
constexpr int positionOf(std::string_view name, int number = 0)
{
    const int found = rowNamed(name);
    return firstPosition(found) + (isNumbered(kRows[std::size_t(found)]) ? number - kRows[std::size_t(found)].first : 0);
}

// The rows that show in a field of that kind.
constexpr int countOf(ItemField field)
{
    int rows = 0;
    for (const Row &row : kRows)
        rows += row.field == field ? 1 : 0;
    return rows;
}

// The connection boxes Text3(0..kConnectionBoxes - 1), in the order of their rows.
constexpr int boxOf(int row)
{
    int box = 0;
    for (int before = 0; before < row; ++before)
        box += kRows[std::size_t(before)].field == ItemField::ConnectionBox ? 1 : 0;
    return box;
}

constexpr int boxOf(const Row &row)
{
    return boxOf(indexOf(row));
}

// The row shown in Text3(box).
constexpr int rowOfBox(int box)
{
    for (int row = 0; row < kRowCount; ++row) {
        if (kRows[std::size_t(row)].field == ItemField::ConnectionBox && boxOf(row) == box)
            return row;
    }
    return -1;
}

inline constexpr int kConnectionBoxes = countOf(ItemField::ConnectionBox);
inline constexpr int kApnBox = boxOf(rowNamed("CAAPN"));
inline constexpr int kChannelRows = row("mode").count;
inline constexpr int kMailAddresses = row("CAALARMADDRESS").count;

inline QString textOf(std::string_view name)
{
    return QLatin1StringView(name.data(), qsizetype(name.size()));
}

// An item as the logger names it: "CAAPN", "mode3".
inline QString nameOf(const Row &row, int number = 0)
{
    return isNumbered(row) ? textOf(row.name) + QString::number(number) : textOf(row.name);
}

inline QString textOf(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

// The caption of a single item's field: "LoginID".
inline QString captionOf(const Row &row)
{
    return textOf(row.caption);
}

// The caption of a numbered item's field, with what names its row or address on the screen:
// "要素名 CH1", "警報送信先アドレス 3".
inline QString captionOf(std::u16string_view caption, const QString &shownName)
{
    return textOf(caption) + u' ' + shownName;
}

inline QString captionOf(std::u16string_view caption, int shownNumber)
{
    return captionOf(caption, QString::number(shownNumber));
}

namespace Invariants {

constexpr bool blocksInReadOrder()
{
    for (int row = 1; row < kRowCount; ++row) {
        if (kRows[std::size_t(row)].block < kRows[std::size_t(row - 1)].block)
            return false;
    }
    return true;
}

constexpr bool namesDistinct()
{
    for (int row = 0; row < kRowCount; ++row) {
        if (rowNamed(kRows[std::size_t(row)].name) != row)
            return false;
    }
    return true;
}

// Each field takes the items of one block, and only numbered items where a number picks the box.
constexpr bool fieldsFitTheirBlocks()
{
    for (const Row &row : kRows) {
        bool fits = false;
        switch (row.field) {
        case ItemField::ElementBox:
        case ItemField::LimitBoxes:
            fits = row.block == ItemBlock::Channel && isNumbered(row);
            break;
        case ItemField::AlarmAddressBox:
        case ItemField::DataAddressBox:
            fits = row.block == ItemBlock::Mail && isNumbered(row) && row.first == 1;
            break;
        case ItemField::ConnectionBox:
        case ItemField::AuthLabel:
            fits = row.block == ItemBlock::Connection && !isNumbered(row);
            break;
        }
        if (!fits || row.block == ItemBlock::Header || row.caption.empty())
            return false;
        if ((row.field == ItemField::LimitBoxes) != !row.upperCaption.empty())
            return false;
    }
    return true;
}

// A password is one item, so a line names it whole ("CAPOPPASS=", "CAPOPPASS?").
constexpr bool secretsAreSingleItems()
{
    for (const Row &row : kRows) {
        if (row.secret && isNumbered(row))
            return false;
    }
    return true;
}

} // namespace Invariants

static_assert(Invariants::blocksInReadOrder(), "rows go in the order of the read scripts");
static_assert(Invariants::namesDistinct());
static_assert(Invariants::fieldsFitTheirBlocks());
static_assert(Invariants::secretsAreSingleItems());
static_assert(rowNamed("mode") >= 0 && rowNamed("ALARM") >= 0 && row("ALARM").count == 2 * kChannelRows,
              "a lower and an upper limit for every channel row");
static_assert(row("mode").first == 0 && row("ALARM").first == 0, "rows and limits count from 0");
static_assert(countOf(ItemField::ElementBox) == 1 && countOf(ItemField::LimitBoxes) == 1);
static_assert(countOf(ItemField::AlarmAddressBox) == 1 && countOf(ItemField::DataAddressBox) == 1);
static_assert(row("CADATAADDRESS").count == kMailAddresses, "mail.eep pairs each data address with an alarm address");
static_assert(countOf(ItemField::AuthLabel) == 1, "one authentication code");
static_assert(rowNamed("CAAPN") >= 0 && row("CAAPN").field == ItemField::ConnectionBox && row("CAAPN").needsApn,
              "a logger answering \"???\" for its APN lacks it");
static_assert(rowOfBox(kConnectionBoxes - 1) >= 0 && rowOfBox(kConnectionBoxes) < 0);

} // namespace LoggerItems

} // namespace telvaro::base
