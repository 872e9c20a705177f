#pragma once

// env.dat keeps the port choice between runs: one 4-byte record of two 16-bit
// little-endian signed integers.

#include "base/port_choice.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// env.dat is opened by its bare name, so it lies in the current folder.
inline const QString kEnvFileName = QStringLiteral("env.dat");

constexpr int kEnvRecordSize = 4;

// The record's bytes; bytes missing at the end of a short record count as zero.
PortChoice portChoiceFromRecord(QByteArrayView record);
QByteArray recordFromPortChoice(const PortChoice &choice);

// Reads record 1, creating the file empty when it is missing. A file that can be neither
// read nor created gives 0 and 0, so the program still starts.
PortChoice LoadEnv(const QString &path = kEnvFileName);

// Writes the choice as record 1; false when the file cannot be written.
bool SaveEnv(const PortChoice &choice, const QString &path = kEnvFileName);
