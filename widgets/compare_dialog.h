#pragma once

#include "settings/settings_compare.h"

#include <QDialog>
#include <QList>

class QTableWidget;

namespace telvaro::widgets {

// The items whose values differ between the screen and a settings file: one row each, with the
// field's caption, the screen's value and the file's value.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    CompareDialog(const QString &filePath, const QList<settings::ItemDifference> &differences, QWidget *parent);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table = nullptr;
};

} // namespace telvaro::widgets
