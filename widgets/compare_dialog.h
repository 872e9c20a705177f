#pragma once

#include "settings/settings_compare.h"

#include <QDialog>
#include <QList>

class QTableWidget;

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::widgets {

// The items whose values differ between the screen and a settings file: one row each, with the
// field's caption, the screen's value and the file's value, an element with its name as the
// model tables of the state give it.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    CompareDialog(const QString &filePath, const QList<settings::ItemDifference> &differences,
                  const state::SettingsState &state, QWidget *parent);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table = nullptr;
};

} // namespace telvaro::widgets
