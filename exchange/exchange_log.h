#pragma once

#include "model/screen_model.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace telvaro::exchange {

// The exchange log as the operator reads it: one line per line sent or received, each after the
// time its first piece came ("16:53:01.234  CAON"), both passwords shown as "********". A line
// ends at CR LF, CR or LF; the last one may still be coming.
QStringList readableLogLines(const QList<model::ScreenModel::LogPiece> &pieces);

// The readable log as a file: UTF-8, CR LF after every line.
QByteArray logFileBytes(const QStringList &readableLines);

} // namespace telvaro::exchange
