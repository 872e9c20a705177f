#include "widgets/message_box.h"

#include <QMessageBox>

namespace telvaro::widgets {

namespace {

// The lines a box lists in full; past them the box would outgrow the screen.
constexpr qsizetype kListedLines = 12;

void prepare(QMessageBox &box, QWidget *owner)
{
    box.setWindowTitle(owner->windowTitle());
    box.setFont(owner->font());
}

// A long list shows its first lines and how many more there are; the whole list lies behind the
// details button.
void setInformative(QMessageBox &box, const QString &informative)
{
    const QStringList lines = informative.split(u'\n');
    if (lines.size() <= kListedLines) {
        box.setInformativeText(informative);
        return;
    }
    box.setInformativeText(lines.first(kListedLines).join(u'\n') + u'\n'
                           + QStringLiteral("ほか %1 件").arg(lines.size() - kListedLines));
    box.setDetailedText(informative);
}

} // namespace

void showModalMessage(QWidget *owner, const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, owner);
    prepare(box, owner);
    box.setDetailedText(details);
    box.exec();
}

void showModalWarning(QWidget *owner, const QString &text, const QString &informative)
{
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, owner);
    prepare(box, owner);
    setInformative(box, informative);
    box.exec();
}

bool askModalQuestion(QWidget *owner, const QString &text, const QString &informative)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, owner);
    prepare(box, owner);
    setInformative(box, informative);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace telvaro::widgets
