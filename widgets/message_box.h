#pragma once

#include <QString>

class QWidget;

namespace telvaro::widgets {

// The modal message boxes of the screens, titled with the caption of the window they belong to.
// Each returns when the operator has closed it.

// The text and one OK button, no icon; details, where given, lie behind the details button.
void showModalMessage(QWidget *owner, const QString &text, const QString &details = QString());

// An informative text of more than a dozen lines shows the first dozen and "ほか N 件", the whole
// of it behind the details button.

// Something the operator asked for could not be done: the text says what, the informative text why.
void showModalWarning(QWidget *owner, const QString &text, const QString &informative);

// A question answered yes or no, no being the default: true for yes.
bool askModalQuestion(QWidget *owner, const QString &text, const QString &informative);

} // namespace telvaro::widgets
