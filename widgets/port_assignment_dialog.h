#pragma once

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace telvaro::ports {
struct PortFolders;
class PortTableModel;
} // namespace telvaro::ports

namespace telvaro::widgets {

// The dialog "シリアルポートの割り当て": every serial device of this machine and what the operator
// needs to know of it, following adapters plugged in and out while it is open; a device and a
// COM name chosen, "割り当てる(&A)" makes the name lead to the device, "割り当てを解除(&R)" takes the
// name's link away. A view of ports::PortTableModel, which does the work.
class PortAssignmentDialog : public QDialog
{
    Q_OBJECT

public:
    // comNumber: the COM name chosen first (the one the port dialog holds), 1 to 9.
    PortAssignmentDialog(const ports::PortFolders &folders, int comNumber, QWidget *parent = nullptr);
    ~PortAssignmentDialog() override;

    // Modal, on this machine's folders; returns when the operator has closed it.
    static void showModal(int comNumber, QWidget *parent);

    ports::PortTableModel &model() const { return *m_model; }
    QTableView *table() const { return m_table; }
    QComboBox *comNames() const { return m_comNames; }
    QLabel *mapping() const { return m_mapping; }
    QLabel *message() const { return m_message; }

    void assignChosen();
    void unassignChosen();

private:
    int chosenComNumber() const;
    int chosenRow() const;
    void showMapping();
    void tell(bool done, const QString &text);

    std::unique_ptr<ports::PortTableModel> m_model;
    QTableView *m_table = nullptr;
    QComboBox *m_comNames = nullptr;
    QLabel *m_mapping = nullptr;
    QLabel *m_message = nullptr;
    QString m_chosenDevice; // kept across a change of the list
};

} // namespace telvaro::widgets
