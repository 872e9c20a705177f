#include "support/link_waits.h"

#include <QEventLoop>

ReplyResult waitForReply(Link &link, const QString &expected, std::chrono::milliseconds timeout)
{
    ReplyResult result = ReplyResult::TimedOut;
    QEventLoop loop;
    link.WaitForReply(expected, timeout, [&](ReplyResult ended) {
        result = ended;
        loop.quit();
    });
    loop.exec();
    return result;
}

void pauseFor(Link &link, std::chrono::milliseconds duration)
{
    QEventLoop loop;
    link.pause(duration, [&] { loop.quit(); });
    loop.exec();
}
