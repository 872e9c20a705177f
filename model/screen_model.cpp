#include "model/screen_model.h"

namespace telvaro::model {

CommandControls::CommandControls()
{
    // The save button is not in use, and nothing can be written before a read.
    m_command1.at(Write).setEnabled(false);
    m_command1.at(Save).setEnabled(false);
}

MailAddressFields::MailAddressFields()
{
    for (TextField &field : m_fields)
        field.setEnabled(false);
}

ConnectionFields::ConnectionFields()
{
    for (TextField &field : m_fields)
        field.setEnabled(false);
}

AuthTypeSelector::AuthTypeSelector()
{
    m_setObserbox.setEnabled(false);
}

ScreenModel::ScreenModel() = default;

ScreenModel::~ScreenModel() = default;

void ScreenModel::setStatusText(const QString &text)
{
    m_statusText = text;
    emit statusTextSet(text);
}

void ScreenModel::clearLog()
{
    if (m_logText.isEmpty())
        return;
    m_logText.clear();
    emit logChanged();
}

void ScreenModel::appendLog(const QString &text)
{
    if (text.isEmpty())
        return;
    m_logText += text;
    emit logChanged();
}

void ScreenModel::setProgress(const std::optional<Progress> &progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    emit progressChanged();
}

} // namespace telvaro::model
