#include "settings/settings_file.h"

#include "settings/small_file.h"
#include "text/utf8_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

using namespace telvaro::text;

namespace telvaro::settings {

namespace {

constexpr char kLineEnd[] = "\r\n";
// Far above a file of every item with long values; a larger file is not a settings file.
constexpr qint64 kLargestFile = kLargestSettingsFile;

// The translation context of the messages here.
class SettingsFile
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFile)
};

bool isBlank(QStringView line)
{
    return line.trimmed().isEmpty();
}

bool isComment(QStringView line)
{
    return line.trimmed().startsWith(u'#');
}

// The lines of the file without their line ends; what follows the last line end is a line
// only when it is not empty.
QList<QByteArrayView> linesOf(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

bool holdsControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString describe(const SettingsFileError &error)
{
    using Problem = SettingsFileError::Problem;
    switch (error.problem) {
    case Problem::NotUtf8:
        return SettingsFile::tr("line %1: not UTF-8 text").arg(error.line);
    case Problem::NoEqualsSign:
        return SettingsFile::tr("line %1: no \"=\" (a line is item=value, a comment starting with \"#\", or blank)").arg(error.line);
    case Problem::UnknownItem:
        return SettingsFile::tr("line %1: unknown item \"%2\"").arg(QString::number(error.line), error.item);
    case Problem::RepeatedItem:
        return SettingsFile::tr("line %1: item \"%2\" is already given on line %3").arg(QString::number(error.line), error.item, QString::number(error.firstLine));
    case Problem::ControlCharacter:
        return SettingsFile::tr("line %1: the value of \"%2\" holds a control character").arg(QString::number(error.line), error.item);
    }
    return {};
}

SettingsFileContents parseSettingsFile(QByteArrayView bytes)
{
    using Problem = SettingsFileError::Problem;
    bytes = withoutByteOrderMark(bytes);

    SettingsFileContents contents;
    std::array<int, SettingsItems::kCount> givenOnLine{};
    const QList<QByteArrayView> lines = linesOf(bytes);
    for (int index = 0; index < lines.size(); ++index) {
        const int lineNumber = index + 1;
        const std::optional<QString> text = utf8Text(lines.at(index));
        if (!text) {
            contents.errors.append({lineNumber, Problem::NotUtf8, {}, 0});
            continue;
        }
        if (isBlank(*text) || isComment(*text))
            continue;
        const qsizetype equals = text->indexOf(u'=');
        if (equals < 0) {
            contents.errors.append({lineNumber, Problem::NoEqualsSign, {}, 0});
            continue;
        }
        const QString name = text->left(equals);
        const QString value = text->mid(equals + 1);
        const std::optional<int> item = SettingsItems::indexOf(name);
        if (!item) {
            contents.errors.append({lineNumber, Problem::UnknownItem, name, 0});
            continue;
        }
        if (givenOnLine.at(*item) != 0) {
            contents.errors.append({lineNumber, Problem::RepeatedItem, name, givenOnLine.at(*item)});
            continue;
        }
        givenOnLine.at(*item) = lineNumber;
        if (holdsControlCharacter(value)) {
            contents.errors.append({lineNumber, Problem::ControlCharacter, name, 0});
            continue;
        }
        contents.settings.set(*item, value);
    }
    contents.lineOf = givenOnLine;
    return contents;
}

QStringList itemsWithControlCharacters(const DeviceSettings &settings)
{
    QStringList items;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (settings.contains(item) && holdsControlCharacter(*settings.value(item)))
            items.append(SettingsItems::at(item).name);
    }
    return items;
}

QByteArray settingsFileBytes(const DeviceSettings &settings, const QString &comment)
{
    QByteArray bytes;
    if (!comment.isEmpty())
        bytes += QStringLiteral("# %1").arg(comment).toUtf8() + kLineEnd;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (settings.contains(item))
            bytes += (SettingsItems::at(item).name + u'=' + *settings.value(item)).toUtf8() + kLineEnd;
    }
    return bytes;
}

bool readSettingsFile(const QString &path, SettingsFileContents *contents, QString *reason)
{
    QByteArray bytes;
    if (!readSmallFile(path, kLargestFile, SettingsFile::tr("larger than %1 bytes: not a settings file").arg(kLargestFile),
                       &bytes, reason))
        return false;
    *contents = parseSettingsFile(bytes);
    return true;
}

bool saveSettingsFile(const QString &path, const DeviceSettings &settings, QString *reason, const QString &comment)
{
    const QStringList unwritable = itemsWithControlCharacters(settings);
    if (!unwritable.isEmpty()) {
        *reason = SettingsFile::tr("a control character in the value of %1 cannot be kept in a settings file")
                      .arg(unwritable.join(QStringLiteral(", ")));
        return false;
    }
    // A device or a pipe is never written into: a pipe without reader would hold the window up.
    const QFileInfo info(path);
    if (!info.isSymLink() && info.exists() && !info.isFile()) {
        *reason = SettingsFile::tr("not a regular file");
        return false;
    }
    // A link is replaced by the file, never written through to wherever it leads.
    if (info.isSymLink() && !QFile::remove(path)) {
        *reason = SettingsFile::tr("the link in its place cannot be removed");
        return false;
    }
    // A file may name a line end; the comment stays one line all the same.
    QString oneLine = comment;
    for (QChar &c : oneLine) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    // It holds both passwords: its owner's alone, also where it replaces a file others could read.
    FileReplacement file(path);
    if (!file.openOwnerOnly() || !file.commit(settingsFileBytes(settings, oneLine))) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace telvaro::settings
