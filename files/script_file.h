#pragma once

#include "files/app_folder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace telvaro::files {

// One command line of a script file: the key (with its "=" or ","), the value as it goes
// out, and the caption of the screen field the value comes from, to name it to the operator.
struct ScriptLine
{
    QString key;
    QString value;
    QString caption;
    // The field's text before the write narrowed it.
    QString shown = {};
    // The bytes of the logger's last answer for the item the line sets, when a read kept them
    // (see withAnswerBytes).
    QByteArray answerBytes = {};
};

// The bytes of a script file: each line in code page 932, followed by CR LF. A value that is
// exactly the text of the line's answer bytes goes out in those bytes: code page 932 has
// characters of two codes, and a value the operator left alone keeps the code the logger holds
// it in. Any other value goes out in the code page's own codes.
QByteArray scriptFileBytes(const QList<ScriptLine> &lines);

// The caption of the first line whose value cannot go out as it stands: code page 932 cannot
// hold it whole (see Cp932::canEncode; U+FFFD from an invalid answer included), or it holds a
// control character (U+0000..U+001F, U+007F).
std::optional<QString> firstUnsendableCaption(const QList<ScriptLine> &lines);

// Replaces the file in one step with a regular file readable and writable by its owner only
// (the connection script holds passwords). A symbolic link or other special file in its place
// is replaced, never followed. False when it could not be written; any earlier copy then stays.
bool writeScriptFile(const AppFolder &folder, const QString &name, const QByteArray &bytes);

} // namespace telvaro::files
