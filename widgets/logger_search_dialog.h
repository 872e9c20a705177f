#pragma once

#include "base/port_choice.h"
#include "ports/logger_search.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace telvaro::widgets {

// "ロガーを探す": looks for a logger on the serial ports of the machine at the speed of the port
// choice, and maps a device where one was found to a COM name, which the next exchange then
// uses. A search still running when the dialog closes is cancelled, every port released.
class LoggerSearchDialog : public QDialog
{
    Q_OBJECT

public:
    struct Setup
    {
        QString portsFolder;             // where COM names lead
        QString byIdFolder;              // the stable names of serial adapters
        ports::LoggerSearch::Options search; // all but the line settings, which follow the choice
        // The devices to look on; by default the serial ports of the machine and those the COM
        // names lead to.
        std::function<QStringList()> devices;

        // The program's own: the ports folder, /dev/serial/by-id and the lock folder of the system.
        Setup();
    };

    LoggerSearchDialog(const Setup &setup, const base::PortChoice &current, QWidget *parent = nullptr);

    // The choice stored in env.dat by a mapping made here; nothing while none was made.
    const std::optional<base::PortChoice> &chosen() const { return m_chosen; }
    const ports::LoggerSearch &search() const { return m_search; }

public slots:
    // Escape, the close box and "閉じる": a running search is cancelled first.
    void reject() override;

private:
    void findOrCancel();
    void showFinding(int index);
    void searchEnded();
    void rowChosen();
    void useChosenDevice();
    int selectedFinding() const;

    Setup m_setup;
    base::PortChoice m_current;
    std::optional<base::PortChoice> m_chosen;
    ports::LoggerSearch m_search;

    QCheckBox *m_probe = nullptr;
    QPushButton *m_find = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_com = nullptr;
    QPushButton *m_use = nullptr;
};

} // namespace telvaro::widgets
