#pragma once

class QComboBox;

// Picks an entry the way the operator does: opens the drop-down list, moves to the entry and
// confirms it with Enter, so the box reports the pick as it would on screen.
void pickComboEntry(QComboBox *box, int entry);
