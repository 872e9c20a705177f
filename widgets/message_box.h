#pragma once

class QString;
class QWidget;

// The modal message box of the screens: the text, one OK button, no icon, titled with the
// caption of the window it belongs to. Returns when the operator has closed it.
void showModalMessage(QWidget *owner, const QString &text);
