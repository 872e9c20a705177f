#pragma once

namespace telvaro::exchange {

// How a running read or write is asked to stop. Gracefully: a read stops before its next line,
// and a write that has sent its first line goes on to its end, so no logger is left with half
// its files. At once: either stops after the line in flight.
enum class StopRequest { Gracefully, AtOnce };

} // namespace telvaro::exchange
