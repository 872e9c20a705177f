#pragma once

#include <QStringList>

class QComboBox;

// Picks an entry the way the operator does: opens the drop-down list, moves to the entry and
// confirms it with Enter, so the box reports the pick as it would on screen.
void pickComboEntry(QComboBox *box, int entry);

// The texts of the box's list entries, in list order.
QStringList comboEntries(const QComboBox *box);
