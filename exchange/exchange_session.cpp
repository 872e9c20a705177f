#include "exchange/exchange_session.h"

#include "exchange/read_sequence.h"
#include "exchange/sequence.h"
#include "exchange/write_sequence.h"
#include "link/serial_line.h"
#include "model/screen_lock.h"
#include "model/show_connection.h"
#include "screen_files/settings_on_screen.h"
#include "settings/settings_image.h"

#include <QDateTime>

#include <QLoggingCategory>

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::link;
using namespace telvaro::screen_files;

namespace telvaro::exchange {

Q_LOGGING_CATEGORY(lcSession, "telvaro.exchange")

namespace {

const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");

// Without a front end: nothing to show, nobody to say yes to doubtful values.
class NoBoxes : public ModalBoxes
{
public:
    void showMessage(const QString &) override {}
    void showFailure(const QString &, const ExchangeFailure &) override {}
    bool writeDespite(const QList<ValueFinding> &) override { return false; }
};

NoBoxes noBoxes;

} // namespace

ExchangeSession::ExchangeSession(const AppFolder &appFolder, std::unique_ptr<SerialLine> line, QObject *parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_origins(screenItems(m_state, m_screen))
    , m_line(std::move(line))
    , m_link(*m_line)
    , m_boxes(&noBoxes)
{
}

ExchangeSession::~ExchangeSession()
{
    m_sequence.reset();
    m_link.releasePort();
}

void ExchangeSession::setBoxes(ModalBoxes *boxes)
{
    m_boxes = boxes ? boxes : &noBoxes;
}

void ExchangeSession::startRead(const PortChoice &choice)
{
    start(Kind::Read, choice);
}

void ExchangeSession::startWrite(const PortChoice &choice)
{
    start(Kind::Write, choice);
}

ExchangeSession::StopResponse ExchangeSession::requestStop(StopRequest how)
{
    if (!m_running || !m_sequence || !m_sequence->isRunning())
        return StopResponse::NothingRuns;
    m_sequence->requestStop(how);
    return how == StopRequest::Gracefully && m_sequence->writeBegun() ? StopResponse::FinishesWrite
                                                                       : StopResponse::Stops;
}

void ExchangeSession::start(Kind kind, const PortChoice &choice)
{
    if (m_running) {
        qCWarning(lcSession) << "an exchange was asked for while one runs; ignored";
        return;
    }
    m_running = true;
    m_kind = kind;
    m_wireLog.clear();
    try {
        disableCommands(m_screen);
        m_screen.setStatusText(QString());
        if (kind == Kind::Read)
            m_state.ApnAuthEnabled = kFalse;
        LockScreen(m_screen);
        begin(kind, choice);
    } catch (const std::exception &error) {
        endAfterError(kind, QString::fromUtf8(error.what()));
    } catch (...) {
        endAfterError(kind, QStringLiteral("an exception of unknown type"));
    }
}

void ExchangeSession::begin(Kind kind, const PortChoice &choice)
{
    const SequenceContext context{m_state, m_link, m_appFolder, m_screen, *m_boxes, m_timings};
    const auto ended = [this](const ExchangeResult &result) { end(result); };
    if (kind == Kind::Read) {
        auto read = std::make_unique<ReadSequence>(context);
        ReadSequence &started = *read;
        m_sequence = std::move(read);
        started.ReadFromLogger(choice, ended);
    } else {
        m_plan = plan::planScreenWrite(m_state, m_screen, m_origins);
        auto write = std::make_unique<WriteSequence>(context, *m_plan);
        WriteSequence &started = *write;
        m_sequence = std::move(write);
        started.WriteToLogger(choice, ended);
    }
}

void ExchangeSession::end(const ExchangeResult &result)
{
    if (!m_running)
        return;
    m_running = false;
    m_lastResult = result;
    if (result.succeeded() && m_kind == Kind::Read)
        m_origins.noteRead(itemsOfImage(m_state), screenItems(m_state, m_screen), QDateTime::currentDateTimeUtc());
    else if (result.succeeded() && m_plan)
        m_origins.noteWritten(m_plan->after, screenItems(m_state, m_screen));
    // Told from the event loop: whoever hears it may start the next exchange at once, and the
    // sequence that ended must have left the stack by then.
    QMetaObject::invokeMethod(this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}

void ExchangeSession::endAfterError(Kind kind, const QString &what)
{
    // The sequences end their own errors; this is what escaped them. The exchange still ends
    // with its message, and the screen is given back.
    qCCritical(lcSession).noquote() << (kind == Kind::Read ? "the read" : "the write") << "ended by an error:" << what;
    m_sequence.reset();
    m_link.releasePort();
    ExchangeResult result;
    result.failure.cause = ExchangeFailure::Cause::Other;
    result.failure.reason = what;
    try {
        m_boxes->showMessage(kCannotOpenPort);
        if (kind == Kind::Read)
            ShowConnectionButtons(m_screen);
        else
            UnlockScreen(m_state, m_screen);
    } catch (...) {
        qCCritical(lcSession) << "giving the screen back failed as well";
    }
    end(result);
}

} // namespace telvaro::exchange
