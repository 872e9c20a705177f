#pragma once

// env.dat keeps the port choice between runs: one 4-byte record of two 16-bit
// little-endian signed integers.

#include "base/port_choice.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace telvaro::files {

// env.dat is opened by its bare name, so it lies in the current folder, unless the program was
// started to keep it in a folder of its own (the desktop menu entry: the per-user data folder,
// as a desktop starts programs in whatever folder it likes).
inline const QString kEnvFileName = QStringLiteral("env.dat");

// The env.dat of this run: the bare name, or the file in the folder keepEnvFileIn() named.
QString envFilePath();
// Keeps env.dat in the folder for the rest of the run; called once, at start-up.
void keepEnvFileIn(const QString &folder);

constexpr int kEnvRecordSize = 4;

// The record's bytes; bytes missing at the end of a short record count as zero.
base::PortChoice portChoiceFromRecord(QByteArrayView record);
QByteArray recordFromPortChoice(const base::PortChoice &choice);

// Reads record 1, creating the file empty when it is missing. A file that can be neither
// read nor created gives 0 and 0, so the program still starts.
base::PortChoice LoadEnv(const QString &path = envFilePath());

// Writes the choice as record 1; false when the file cannot be written.
bool SaveEnv(const base::PortChoice &choice, const QString &path = envFilePath());

} // namespace telvaro::files
