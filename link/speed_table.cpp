#include "link/speed_table.h"

#include "base/run_time_error.h"

#include <QStringList>

#include <array>

using namespace telvaro::base;

namespace telvaro::link {

SpeedTable::SpeedTable()
{
    static constexpr std::array<const char16_t *, 10> kSettings = {
        u"300,N,8,1",   u"600,N,8,1",   u"1200,N,8,1",  u"2400,N,8,1",  u"4800,N,8,1",
        u"9600,N,8,1",  u"19200,N,8,1", u"38400,N,8,1", u"57600,N,8,1", u"115200,N,8,1",
    };
    for (int slot = 0; slot < int(kSettings.size()); ++slot)
        at(slot) = QString::fromUtf16(kSettings[slot]);
}

namespace {

[[noreturn]] void rejectSettings(const QString &settings)
{
    throw RunTimeError(QStringLiteral("invalid line settings \"%1\"").arg(settings));
}

QSerialPort::Parity parityFromLetter(const QString &letter, const QString &settings)
{
    const QString upper = letter.toUpper();
    if (upper == u"N")
        return QSerialPort::NoParity;
    if (upper == u"E")
        return QSerialPort::EvenParity;
    if (upper == u"O")
        return QSerialPort::OddParity;
    if (upper == u"M")
        return QSerialPort::MarkParity;
    if (upper == u"S")
        return QSerialPort::SpaceParity;
    rejectSettings(settings);
}

QSerialPort::StopBits stopBitsFromText(const QString &text, const QString &settings)
{
    if (text == u"1")
        return QSerialPort::OneStop;
    if (text == u"1.5")
        return QSerialPort::OneAndHalfStop;
    if (text == u"2")
        return QSerialPort::TwoStop;
    rejectSettings(settings);
}

} // namespace

LineSettings parseLineSettings(const QString &settings)
{
    const QStringList fields = settings.split(u',');
    if (fields.size() != 4)
        rejectSettings(settings);

    LineSettings parsed;
    bool speedOk = false;
    parsed.speed = fields.at(0).toInt(&speedOk);
    if (!speedOk || parsed.speed <= 0)
        rejectSettings(settings);

    parsed.parity = parityFromLetter(fields.at(1), settings);

    bool bitsOk = false;
    const int dataBits = fields.at(2).toInt(&bitsOk);
    if (!bitsOk || dataBits < 5 || dataBits > 8)
        rejectSettings(settings);
    parsed.dataBits = static_cast<QSerialPort::DataBits>(dataBits);

    parsed.stopBits = stopBitsFromText(fields.at(3), settings);
    return parsed;
}

} // namespace telvaro::link
