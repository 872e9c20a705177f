#pragma once

#include "link/link.h"
#include "support/telvaro_names.h"

#include <QString>

#include <chrono>

// The link's wait for a reply, run to its end in an event loop of the test's: how it ended.
ReplyResult waitForReply(Link &link, const QString &expected, std::chrono::milliseconds timeout);
// The link's pause, run to its end the same way.
void pauseFor(Link &link, std::chrono::milliseconds duration);
