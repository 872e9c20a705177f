#pragma once

#include "support/telvaro_names.h"

#include <QStringList>

class QComboBox;
class QWidget;

// Picks an entry the way the operator does, so the box reports the pick as it would on screen:
// opens the drop-down list, then moves to the entry and confirms it with Enter, or clicks it.
enum class PickBy { Keyboard, Mouse };
void pickComboEntry(QComboBox *box, int entry, PickBy by = PickBy::Keyboard);

// The texts of the box's list entries, in list order.
QStringList comboEntries(const QComboBox *box);

// Types text into the widget with the keyboard, one key per character, whatever its script.
void typeText(QWidget *widget, const QString &text);
