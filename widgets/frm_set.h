#pragma once

#include "files/env_file.h"

#include <QDialog>

class QComboBox;

namespace telvaro::widgets {

// The port dialog: the serial port and the line speed, stored in env.dat by OK.
class FrmSet : public QDialog
{
    Q_OBJECT

public:
    // Opens on the choice stored in env.dat; a stored value no entry matches selects nothing.
    explicit FrmSet(QWidget *parent = nullptr);

    // The stored choice: as read when the dialog opened, or as OK wrote it.
    base::PortChoice choice() const { return m_choice; }

    // Shows the dialog modally, with no owner, and returns the stored choice once it has closed.
    static base::PortChoice choose();

private:
    void cmd_ok_Click();

    QComboBox *m_cboPort = nullptr;
    QComboBox *m_cboBaud = nullptr;
    base::PortChoice m_choice;
};

} // namespace telvaro::widgets
