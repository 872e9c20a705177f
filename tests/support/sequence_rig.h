#pragma once

#include "base/port_choice.h"
#include "exchange/exchange_result.h"
#include "exchange/exchange_session.h"
#include "exchange/modal_boxes.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "support/exchange_timing.h"
#include "support/simulated_logger_fixture.h"
#include "support/telvaro_names.h"
#include "support/temp_app_folder.h"

#include <QStringList>

#include <chrono>
#include <memory>

// What the sequences show, as the tests expect it.
inline const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");
inline const QString kResponseTimeout = QStringLiteral("レスポンスタイムアウト");
inline const QString kReadDone = QStringLiteral("読込完了");
inline const QString kWritten = QStringLiteral("設定の書き込みに成功しました。");

// The entries of SequenceRig::requests(): a wait for the expected text (line ends left out, "a
// line" for any line) with its time-out and how it ended, and a pause with its length.
QString waitEntry(const QString &expected, std::chrono::milliseconds timeout, ReplyResult result);
inline QString answered(const QString &expected, std::chrono::milliseconds timeout)
{
    return waitEntry(expected, timeout, ReplyResult::Received);
}
inline QString unanswered(const QString &expected, std::chrono::milliseconds timeout)
{
    return waitEntry(expected, timeout, ReplyResult::TimedOut);
}
inline QString paused(std::chrono::milliseconds duration)
{
    return QStringLiteral("pause %1ms").arg(duration.count());
}

// The script files of a write, in the order they are sent, and the lines of one.
inline const QStringList kWriteScriptFiles = {QStringLiteral("Arm.eep"), QStringLiteral("mail.eep"),
                                              QStringLiteral("ArmNet.eep"), QStringLiteral("Mmail.eep")};
inline QStringList scriptLines(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// Starts a read or a write on the session (as its startRead or startWrite do) and runs the event
// loop until it has ended; how it ended.
ExchangeResult runToEnd(ExchangeSession &session, void (ExchangeSession::*start)(const PortChoice &),
                        const PortChoice &choice);

// Watches the screen model while a sequence runs and stands in for the operator in front of its
// modal boxes: every status text, with what the screen showed at the time, and every message box
// are recorded, and noted on the timeline, instead of waiting for an operator.
class RecordingScreen : public ModalBoxes
{
public:
    RecordingScreen(const ScreenModel &screen, Timeline &timeline);
    // With a timeline of its own, for a test that does not time the run.
    explicit RecordingScreen(const ScreenModel &screen);

    void showMessage(const QString &text) override;
    // Kept as its message: the facts are the window's tests' to check.
    void showFailure(const QString &text, const ExchangeFailure &failure) override;
    // The sequences' tests write what they are given.
    bool writeDespite(const QList<ValueFinding> &) override { return true; }

    const QStringList &statusTexts() const { return m_statusTexts; }
    QString statusText() const { return m_statusTexts.value(m_statusTexts.size() - 1); }
    // Since the last sequence began (beginSequence), each status text with what the screen
    // showed when it came ("メールアドレス取得中 | channels"), and each message box the same way.
    void beginSequence();
    const QStringList &statusesWithScreen() const { return m_statusesWithScreen; }
    const QStringList &messages() const { return m_messages; }
    const QStringList &messagesWithScreen() const { return m_messagesWithScreen; }
    const QString &log() const { return m_screen.logText(); }

    // What the screen shows now of what the sequences put on it: "channels" once a channel
    // block is listed, "mail" and "connection" while those pages are unlocked, then the commands
    // usable: "read" as a failed read leaves them, "every command" as a finished exchange does.
    QStringList shown() const;

private:
    void watchStatus();
    QString withScreen(const QString &text) const;

    const ScreenModel &m_screen;
    Timeline m_ownTimeline;
    Timeline &m_timeline;
    QStringList m_statusTexts;
    QStringList m_statusesWithScreen;
    QStringList m_messages;
    QStringList m_messagesWithScreen;
};

// A simulated logger on COM1, the tool's real serial port mapped to it, an application folder
// holding the installation files, and the settings state: what a read or write runs against.
// The exchange and the logger run at timeScale times their real pace.
class SequenceRig
{
public:
    explicit SequenceRig(const SimulatedLoggerOptions &options = {}, double timeScale = kTestTimeScale);
    // The session goes first, before the recording of its screen.
    ~SequenceRig() { m_session.reset(); }
    // A rig whose screen shows what a first read found, with a fresh logger to talk to next,
    // both running at timeScale from then on; nullptr when the read failed.
    static std::unique_ptr<SequenceRig> afterRead(const SimulatedLoggerOptions &next = {},
                                                  double timeScale = kTestTimeScale);

    bool isValid() const;
    SimulatedLogger &logger() { return m_logger->logger(); }
    // Replaces the logger with a new one at the rig's pace (the settings state and screen stay).
    void connectNewLogger(const SimulatedLoggerOptions &options);
    // The pace of the next logger and the next sequence.
    void setTimeScale(double timeScale) { m_timeScale = timeScale; }

    ExchangeSession &session() { return *m_session; }
    SettingsState &state() { return m_session->state(); }
    ScreenModel &model() { return m_session->screen(); }
    RecordingScreen &screen() { return *m_screen; }
    TempAppFolder &folder() { return m_folder; }
    Link &link() { return m_session->link(); }
    PortChoice portChoice() const { return {0, 5}; } // COM1, 9600 bit/s

    // A read or a write, as the window starts it, run to its end; the timeline starts afresh
    // with it.
    ExchangeResult read();
    ExchangeResult write();

    // A length of time of the real exchange at the rig's pace: a time-out, or a pause.
    std::chrono::milliseconds scaled(std::chrono::milliseconds real) const { return scaledDuration(real, m_timeScale); }
    const Timeline &timeline() const { return m_timeline; }
    // Every wait and pause the last sequence asked the link for, in order, with what the logger
    // heard meanwhile (heardEvent): a wait is entered as it ends, so the command it awaits the
    // answer to comes before it. The timings are checked on these, not on the clock.
    const QStringList &requests() const { return m_requests; }

    // A whole read, so that the screen holds a set of settings; true when it succeeded.
    bool readLogger();
    // One line in each read script, for a test that needs a read to end, not what it shows.
    void shortenReadScripts();

    // The lines the logger received, decoded, and how often it received one.
    QStringList receivedLines();
    int timesReceived(const QString &line);

private:
    ExchangeResult run(void (ExchangeSession::*start)(const PortChoice &));

    double m_timeScale;
    Timeline m_timeline;
    QStringList m_requests;
    std::pair<QString, std::chrono::milliseconds> m_wait; // the wait in flight
    TempAppFolder m_folder;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;
    QtSerialLine *m_port = nullptr; // the session's
    std::unique_ptr<ExchangeSession> m_session;
    std::unique_ptr<RecordingScreen> m_screen;
};
