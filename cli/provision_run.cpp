#include "cli/provision_run.h"

#include "cli/interruption.h"
#include "cli/live_lines.h"
#include "cli/logger_session.h"
#include "cli/recording.h"
#include "model/screen_model.h"

#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace telvaro::model;

namespace telvaro::cli {

namespace {

ProvisionResult provision(const ProvisionJob &job, const SessionSetup &setup, QObject *relay, LiveLines *lines, int index,
                          const Interruption *interruption)
{
    ProvisionResult result;
    try {
        LoggerSession session(job.port, setup);
        if (interruption)
            interruption->stopOnRequest(session);
        if (lines) {
            QObject::connect(&session, &LoggerSession::stopping, relay,
                             [lines, index](const QString &text) { lines->setNote(index, text); });
            // Drawn in the caller's thread. A status text brings the lines answered with it (the
            // last reported: the final text comes once the exchange has let its progress go);
            // every answered line goes on its own only where the lines are drawn in place.
            QObject::connect(&session, &LoggerSession::statusChanged, &session, [&session, relay, lines, index](const QString &text) {
                const std::optional<ScreenModel::Progress> progress = session.lastProgress();
                QMetaObject::invokeMethod(relay, [lines, index, text, progress] {
                    if (progress)
                        lines->setProgress(index, progress->done, progress->total);
                    lines->setStatus(index, text);
                }, Qt::QueuedConnection);
            });
            if (lines->drawsInPlace()) {
                QObject::connect(&session, &LoggerSession::progressChanged, relay,
                                 [lines, index](int done, int total) { lines->setProgress(index, done, total); });
            }
        }
        const QDateTime begun = QDateTime::currentDateTimeUtc();
        result.outcome = LoggerWriting::run(session, job.order);
        // On this logger's thread, through a connection of its own.
        result.recordFailure = Recording::addWrite(setup.recordPath, session, result.outcome, begun);
        result.log = session.exchangeLog();
    } catch (const std::exception &error) {
        // Nothing of one logger may end the others' run.
        result.outcome.port = job.port.name;
        result.outcome.error = ProvisionRun::tr("ended by an error: %1").arg(QString::fromUtf8(error.what()));
    } catch (...) {
        result.outcome.port = job.port.name;
        result.outcome.error = ProvisionRun::tr("ended by an error of unknown kind");
    }
    return result;
}

} // namespace

QList<ProvisionResult> ProvisionRun::run(const QList<ProvisionJob> &jobs, const SessionSetup &setup, LiveLines *lines,
                                         int atOnce, const Interruption *interruption)
{
    QList<ProvisionResult> results(jobs.size());
    if (jobs.isEmpty())
        return results;
    atOnce = std::clamp(atOnce, 1, kMostAtOnce);
    QEventLoop loop;
    QObject relay;
    qsizetype running = 0;
    qsizetype ended = 0;
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(std::size_t(jobs.size()));
    std::function<void()> startNext;
    startNext = [&] {
        const int i = int(threads.size());
        // Each thread writes its own result only; the caller reads it once the thread has ended.
        // Once stopped, a logger whose turn has not come is not begun.
        if (interruption && interruption->signalNumber() != 0) {
            threads.emplace_back(QThread::create([&, i] {
                results[i].outcome.port = jobs.at(i).port.name;
                results[i].outcome.interrupted = true;
                results[i].outcome.error = tr("stopped before its turn came; nothing was sent");
            }));
        } else {
            threads.emplace_back(QThread::create([&, i] { results[i] = provision(jobs.at(i), setup, &relay, lines, i, interruption); }));
        }
        ++running;
        QObject::connect(threads.back().get(), &QThread::finished, &relay, [&, i] {
            if (lines)
                lines->finish(i, summary(results.at(i).outcome));
            threads.at(std::size_t(i))->wait();
            --running;
            ++ended;
            if (ended == jobs.size())
                loop.quit();
            else if (qsizetype(threads.size()) < jobs.size())
                startNext();
        });
        threads.back()->start();
    };
    while (running < atOnce && qsizetype(threads.size()) < jobs.size())
        startNext();
    // Nobody is left wondering whether the others were forgotten.
    if (lines) {
        for (int i = int(threads.size()); i < jobs.size(); ++i)
            lines->setStatus(i, tr("waiting"));
    }
    loop.exec();
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
    return results;
}

QString ProvisionRun::summary(const LoggerOutcome &outcome)
{
    // Never a plain failure for a logger partly written or stopped: its error begins with how far
    // it got.
    if (!outcome.partlyWritten.isEmpty() || outcome.interrupted)
        return outcome.error.section(u'\n', 0, 0);
    if (!outcome.succeeded())
        return tr("failed: %1").arg(outcome.error.section(u'\n', 0, 0));
    const int changed = outcome.changedItems ? int(outcome.changedItems->size()) : 0;
    if (outcome.dryRun)
        return tr("read; a write would change %n item(s) (%1 s)", nullptr, changed).arg(outcome.seconds, 0, 'f', 1);
    if (outcome.verification == LoggerOutcome::Verification::Verified)
        return tr("written and verified, %n item(s) changed (%1 s)", nullptr, changed).arg(outcome.seconds, 0, 'f', 1);
    return tr("written, %n item(s) changed (%1 s)", nullptr, changed).arg(outcome.seconds, 0, 'f', 1);
}

} // namespace telvaro::cli
