#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace telvaro::model {

// The background of a field: white while it can be edited, the system's button face while it
// is locked. A value of the screen; how button face looks is the window's business.
enum class FieldColour { ButtonFace, White };

// A control that can be enabled and disabled: a command button, the tab control, the settings
// menu, and every field.
class Control : public QObject
{
    Q_OBJECT

public:
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    // Some value of the control is no longer what it was.
    void changed();

protected:
    // Stores the value and reports the change; nothing happens when the value is already so.
    template<typename T>
    void update(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        emit changed();
    }

private:
    bool m_enabled = true;
};

// A control with a background of its own. Locking disables it and paints it button face,
// unlocking enables it and paints it white; neither touches what it shows.
class Field : public Control
{
    Q_OBJECT

public:
    FieldColour colour() const { return m_colour; }
    void setColour(FieldColour colour);

    void lock();
    void unlock();

private:
    FieldColour m_colour = FieldColour::ButtonFace;
};

// A one-line text box.
class TextField : public Field
{
    Q_OBJECT

public:
    const QString &text() const { return m_text; }
    void setText(const QString &text);

private:
    QString m_text;
};

// A label: a caption the operator reads but cannot edit.
class CaptionLabel : public Field
{
    Q_OBJECT

public:
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

private:
    QString m_caption;
};

// An editable combo box: a list to pick from and an edit field the operator may also type into.
// Each entry remembers what it was made from (its source), so a pick maps back to it.
class ChoiceBox : public Field
{
    Q_OBJECT

public:
    struct Entry
    {
        QString text;
        int source = 0;

        friend bool operator==(const Entry &, const Entry &) = default;
    };

    const QList<Entry> &entries() const { return m_entries; }
    QStringList entryTexts() const;
    // The position of the first entry made from source, or -1.
    int indexOfSource(int source) const;

    // The selected entry's position, -1 when none is selected.
    int currentIndex() const { return m_currentIndex; }
    std::optional<Entry> currentEntry() const;
    // What the edit field shows: the selected entry, or what the operator typed since.
    const QString &editText() const { return m_editText; }

    // No entries, nothing selected and an empty edit field.
    void clear();
    void addEntry(const QString &text, int source);
    // Selects the entry at index, and the edit field shows it; -1 (or any position the list
    // does not have) selects nothing and empties the edit field.
    void select(int index);
    // The operator types into the edit field; the selection stays.
    void setEditText(const QString &text);

private:
    QList<Entry> m_entries;
    int m_currentIndex = -1;
    QString m_editText;
};

// The element box of a channel row: its entries are the row's elements, each made from the
// option field of the model tables that names it; the row's default element comes first.
class ElementBox : public ChoiceBox
{
    Q_OBJECT

public:
    static constexpr int kDefaultElement = -1; // the source of the default element's entry
};

} // namespace telvaro::model
