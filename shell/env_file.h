#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// The serial port and line speed chosen in the port dialog: PortIndex 0 is COM1, BaudIndex
// indexes the speed table. Kept between runs in env.dat, one 4-byte record of two 16-bit
// little-endian signed integers. The values are kept as stored, also when no list entry
// matches them; the exchange reports what it cannot open.
struct PortChoice
{
    qint16 PortIndex = 0;
    qint16 BaudIndex = 0;

    friend bool operator==(const PortChoice &, const PortChoice &) = default;
};

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
