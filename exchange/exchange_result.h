#pragma once

#include "exchange/exchange_failure.h"
#include "settings/value_checks.h"

#include <QList>

namespace telvaro::exchange {

// How a read or a write ended: what a front end acts on, never a state number.
struct ExchangeResult
{
    enum class Outcome {
        Succeeded,
        Declined, // the operator chose not to write what the plan found: nothing was sent
        Failed,   // see failure
        // Asked to stop before its end (see ExchangeSession::requestStop): failure.blocks says
        // how many lines of each script the logger answered.
        Interrupted,
    };

    Outcome outcome = Outcome::Failed;
    ExchangeFailure failure;
    // What the write plan found before a write (values that look wrong, changes nobody asked
    // for), whatever the operator answered.
    QList<settings::ValueFinding> findings;

    bool succeeded() const { return outcome == Outcome::Succeeded; }
};

} // namespace telvaro::exchange
