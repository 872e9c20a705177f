#include "text/narrowing.h"

#include "text/cp932.h"

#include <QHash>

namespace telvaro::text {

namespace {

// Half-width forms whose full-width partners are katakana or Japanese punctuation.
constexpr char16_t kFirstHalfwidthKana = 0xFF61; // ｡
constexpr char16_t kLastHalfwidthKana = 0xFF9F;  // ﾟ
constexpr char16_t kHalfwidthVoicedMark = 0xFF9E;
constexpr char16_t kHalfwidthSemiVoicedMark = 0xFF9F;

// Full-width forms of the printable ASCII characters.
constexpr char16_t kFirstFullwidthAscii = 0xFF01; // ！
constexpr char16_t kLastFullwidthAscii = 0xFF5E;  // ～
constexpr char16_t kIdeographicSpace = 0x3000;

// Sound marks as a keyboard usually types them (spacing). The combining ones (U+3099, U+309A)
// are what the half-width marks decompose to: the table takes them from those.
constexpr char16_t kSpacingVoicedMark = 0x309B;
constexpr char16_t kSpacingSemiVoicedMark = 0x309C;

using NarrowTable = QHash<char16_t, QString>;

void addIfSendable(NarrowTable &table, char16_t wide, const QString &narrow)
{
    // A half-width form the logger cannot receive is no improvement: keep the full width.
    if (Cp932::canEncode(narrow))
        table.insert(wide, narrow);
}

// The pairs of the Halfwidth and Fullwidth Forms block that the narrowing uses, read from
// the Unicode compatibility decompositions (<wide> and <narrow>) rather than typed in.
NarrowTable buildNarrowTable()
{
    NarrowTable table;
    for (char16_t wide = kFirstFullwidthAscii; wide <= kLastFullwidthAscii; ++wide) {
        const QChar character(wide);
        if (character.decompositionTag() == QChar::Wide)
            addIfSendable(table, wide, character.decomposition());
    }
    addIfSendable(table, kIdeographicSpace, QString(QChar(u' ')));

    for (char16_t narrow = kFirstHalfwidthKana; narrow <= kLastHalfwidthKana; ++narrow) {
        const QChar character(narrow);
        const QString wide = character.decomposition();
        if (character.decompositionTag() == QChar::Narrow && wide.size() == 1)
            addIfSendable(table, wide.at(0).unicode(), QString(character));
    }
    addIfSendable(table, kSpacingVoicedMark, QString(QChar(kHalfwidthVoicedMark)));
    addIfSendable(table, kSpacingSemiVoicedMark, QString(QChar(kHalfwidthSemiVoicedMark)));

    // Katakana with a sound mark (ガ, パ, ヴ...) have no single half-width form: they
    // become the half-width base followed by the half-width mark, when the base has one.
    for (char16_t wide = 0x30A1; wide <= 0x30FA; ++wide) {
        const QChar character(wide);
        if (character.decompositionTag() != QChar::Canonical)
            continue;
        const QString parts = character.decomposition();
        if (parts.size() != 2)
            continue;
        const auto base = table.constFind(parts.at(0).unicode());
        const auto mark = table.constFind(parts.at(1).unicode());
        if (base != table.constEnd() && mark != table.constEnd())
            addIfSendable(table, wide, *base + *mark);
    }
    return table;
}

const NarrowTable &narrowTable()
{
    static const NarrowTable table = buildNarrowTable();
    return table;
}

} // namespace

QString narrowed(const QString &text)
{
    const NarrowTable &table = narrowTable();
    QString result;
    result.reserve(text.size());
    for (const QChar character : text) {
        const auto narrow = table.constFind(character.unicode());
        if (narrow == table.constEnd())
            result += character;
        else
            result += *narrow;
    }
    return result;
}

} // namespace telvaro::text
