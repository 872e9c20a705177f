#pragma once

#include "record/exchange_entry.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::widgets {

class HistoryModel;

// The window "通信履歴": the exchanges of the record, newest first, filtered by a search text
// and by the logger last read; the items of the one selected and, for a write, what it changed.
// A recorded image may be put on the screen or saved as a settings file, without its passwords,
// which the record never holds. A window of its own, never kept above the main window; while an
// exchange runs it can only be looked at.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<QString()> recordPath;
        std::function<QString()> loggerLastRead; // its identity; empty when none
        // Puts the items on the screen as opening a settings file does, as given by name.
        std::function<void(const settings::DeviceSettings &, const QString &name)> openOnScreen;
    };

    // state: the model tables that name the items.
    HistoryWindow(const state::SettingsState &state, Hooks hooks);

    // Reads the record again, keeping the filters.
    void refresh();
    void setExchangeRunning(bool running);

    // The image of the exchange selected without its passwords, and the name it is given by.
    std::optional<std::pair<settings::DeviceSettings, QString>> selectedImage() const;
    // "画面に開く(&O)".
    void openSelected();
    // "ファイルに保存(&S)..." into path; false, with a warning, when it cannot be written.
    bool saveSelected(const QString &path);

    HistoryModel *model() const { return m_model; }
    QTableView *list() const { return m_list; }
    QTableWidget *items() const { return m_items; }
    QTableWidget *changes() const { return m_changes; }
    QLineEdit *search() const { return m_search; }
    QCheckBox *loggerOnly() const { return m_loggerOnly; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *note() const { return m_note; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void select(int row);
    void showEntry();
    void askAndSave();
    void enableActions();

    const state::SettingsState &m_state;
    Hooks m_hooks;
    HistoryModel *m_model = nullptr;
    QTableView *m_list = nullptr;
    QTableWidget *m_items = nullptr;
    QTableWidget *m_changes = nullptr;
    QLineEdit *m_search = nullptr;
    QCheckBox *m_loggerOnly = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_save = nullptr;
    QLabel *m_note = nullptr;
    std::optional<record::ExchangeEntry> m_entry; // the one selected, with its settings
    bool m_running = false;
    QString m_folder; // where the last file was saved
};

} // namespace telvaro::widgets
