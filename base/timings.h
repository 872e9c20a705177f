#pragma once

#include <QtGlobal>

#include <chrono>
#include <cmath>

namespace telvaro::base {

// A length of time scaled by factor, to the nearest millisecond.
inline std::chrono::milliseconds scaledDuration(std::chrono::milliseconds duration, double factor)
{
    return std::chrono::milliseconds(std::llround(double(duration.count()) * factor));
}

// Every time-out, pause and retry limit of the exchange with the logger. The defaults are the
// protocol's own; tests run the same exchange at a fraction of them.
struct ExchangeTimings
{
    using Duration = std::chrono::milliseconds;

    // The handshake, alike in the read and the write but for its retry pause.
    Duration wakeUpTimeout{2000};              // "AT" from the logger; not required
    Duration readyTimeout{2000};               // "READY" after "CONNECT"
    Duration readHandshakeRetryPause{2000};    // before the read tries the handshake again
    Duration writeHandshakeRetryPause{500};    // before the write tries the handshake again
    Duration commandModeTimeout{4000};         // "OK" after "CAON"
    Duration commandModeRetryPause{500};       // before "CAON" goes out again

    // The read.
    Duration modelQueryTimeout{2000};          // the answer to "EERM0"
    Duration modelQueryRetryPause{2000};       // before "EERM0" goes out again
    Duration channelCountTimeout{20000};       // the answer to "EERC9"
    Duration channelAnswerTimeout{20000};      // each answer to a line of select.eep
    Duration pauseBeforeMailBlock{500};        // between select.eep and select01.eep
    Duration mailAnswerTimeout{4000};          // each answer to a line of select01.eep
    Duration connectionAnswerTimeout{10000};   // each answer to a line of select02.eep
    Duration commandModeOffTimeout{4000};      // "OK" after "CAOFF"; not required

    // The write.
    Duration acknowledgementTimeout{2000};     // each acknowledgement of a script line
    Duration pauseBeforeAlarmNetBlock{500};    // between mail.eep and ArmNet.eep

    // One retry counter per run counts every retry of the handshake, of "CAON" and of "EERM0";
    // a step may retry while the counter is below its limit.
    qint16 handshakeRetryLimit = 2;            // the handshake is tried three times at most
    qint16 commandRetryLimit = 4;              // "CAON" and "EERM0" retry while fewer retries were made

    // The same exchange with every time-out multiplied by timeouts and every pause by pauses;
    // the limits stay.
    ExchangeTimings scaled(double timeouts, double pauses) const
    {
        ExchangeTimings result = *this;
        for (Duration ExchangeTimings::*timeout : kTimeouts)
            result.*timeout = scaledDuration(this->*timeout, timeouts);
        for (Duration ExchangeTimings::*pause : kPauses)
            result.*pause = scaledDuration(this->*pause, pauses);
        return result;
    }
    ExchangeTimings scaled(double factor) const { return scaled(factor, factor); }

    static constexpr Duration ExchangeTimings::*kTimeouts[] = {
        &ExchangeTimings::wakeUpTimeout,       &ExchangeTimings::readyTimeout,
        &ExchangeTimings::commandModeTimeout,  &ExchangeTimings::modelQueryTimeout,
        &ExchangeTimings::channelCountTimeout, &ExchangeTimings::channelAnswerTimeout,
        &ExchangeTimings::mailAnswerTimeout,   &ExchangeTimings::connectionAnswerTimeout,
        &ExchangeTimings::commandModeOffTimeout, &ExchangeTimings::acknowledgementTimeout,
    };
    static constexpr Duration ExchangeTimings::*kPauses[] = {
        &ExchangeTimings::readHandshakeRetryPause, &ExchangeTimings::writeHandshakeRetryPause,
        &ExchangeTimings::commandModeRetryPause,   &ExchangeTimings::modelQueryRetryPause,
        &ExchangeTimings::pauseBeforeMailBlock,    &ExchangeTimings::pauseBeforeAlarmNetBlock,
    };
};

} // namespace telvaro::base
