#pragma once

#include "base/fixed_table.h"

#include <QSerialPort>
#include <QString>

namespace telvaro::link {

// The line settings the operator chooses from by index: slots 0..9 hold "300,N,8,1" to
// "115200,N,8,1", slot 10 stays empty (opening with it fails). Each sequence makes its own.
class SpeedTable : public base::FixedTable<QString, 10>
{
public:
    SpeedTable();
};

// A settings string such as "9600,N,8,1" taken apart: speed, parity, data bits, stop bits.
struct LineSettings
{
    qint32 speed = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Throws RunTimeError when the text is empty or not a valid settings string.
LineSettings parseLineSettings(const QString &settings);

} // namespace telvaro::link
