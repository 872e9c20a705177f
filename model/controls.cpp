#include "model/controls.h"

#include <utility>

namespace telvaro::model {

void Control::setEnabled(bool enabled)
{
    update(m_enabled, enabled);
}

void Field::setColour(FieldColour colour)
{
    update(m_colour, colour);
}

void Field::lock()
{
    setEnabled(false);
    setColour(FieldColour::ButtonFace);
}

void Field::unlock()
{
    setEnabled(true);
    setColour(FieldColour::White);
}

void TextField::setText(const QString &text)
{
    update(m_text, text);
}

void CaptionLabel::setCaption(const QString &caption)
{
    update(m_caption, caption);
}

QStringList ChoiceBox::entryTexts() const
{
    QStringList texts;
    for (const Entry &entry : m_entries)
        texts.append(entry.text);
    return texts;
}

int ChoiceBox::indexOfSource(int source) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).source == source)
            return i;
    }
    return -1;
}

std::optional<ChoiceBox::Entry> ChoiceBox::currentEntry() const
{
    if (m_currentIndex < 0)
        return std::nullopt;
    return m_entries.at(m_currentIndex);
}

void ChoiceBox::clear()
{
    // The text goes with the list, also when no entry was selected and the operator had typed.
    const bool changing = !m_entries.isEmpty() || m_currentIndex != -1 || !m_editText.isEmpty();
    m_entries.clear();
    m_currentIndex = -1;
    m_editText.clear();
    if (changing)
        emit changed();
}

void ChoiceBox::addEntry(const QString &text, int source)
{
    m_entries.append({text, source});
    emit changed();
}

void ChoiceBox::select(int index)
{
    const bool listed = index >= 0 && index < m_entries.size();
    const int newIndex = listed ? index : -1;
    QString newText = listed ? m_entries.at(index).text : QString();
    if (newIndex == m_currentIndex && newText == m_editText)
        return;
    m_currentIndex = newIndex;
    m_editText = std::move(newText);
    emit changed();
}

void ChoiceBox::setEditText(const QString &text)
{
    update(m_editText, text);
}

} // namespace telvaro::model
