#include "widgets/frm_set.h"

#include "widgets/message_box.h"
#include "widgets/screen_font.h"
#include "widgets/twips_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

using namespace telvaro::base;
using namespace telvaro::files;

namespace telvaro::widgets {

namespace {

QStringList portEntries()
{
    QStringList entries;
    for (int port = 1; port <= 9; ++port)
        entries << QStringLiteral("COM%1").arg(port);
    return entries;
}

QStringList speedEntries()
{
    QStringList entries;
    for (int speed : {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        entries << QStringLiteral("%1bps").arg(speed);
    return entries;
}

// A list position for a stored index; one the list cannot show selects nothing.
int listPosition(const QComboBox *list, qint16 index)
{
    return index >= 0 && index < list->count() ? index : -1;
}

QComboBox *pickList(QWidget *dialog, const QString &name, const QStringList &entries, const QRect &rect)
{
    auto *list = placed(new QComboBox(dialog), name, rect);
    list->addItems(entries);
    return list;
}

void sizedLabel(QWidget *dialog, const QString &name, const QString &caption, int left, int top)
{
    auto *label = placed(new QLabel(caption, dialog), name, twipsRect(left, top, 0, 0));
    label->adjustSize();
}

} // namespace

FrmSet::FrmSet(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Set"));
    setWindowTitle(QStringLiteral("通信設定"));
    setFont(screenFont());
    setFixedSize(twipsToPixels(3645), twipsToPixels(1980));
    setModal(true);

    sizedLabel(this, QStringLiteral("Label1"), QStringLiteral("通信ポート"), 240, 240);
    m_cboPort = pickList(this, QStringLiteral("cbo_port"), portEntries(), twipsRect(240, 480, 1455, 300));
    sizedLabel(this, QStringLiteral("Label2"), QStringLiteral("通信速度"), 1920, 240);
    m_cboBaud = pickList(this, QStringLiteral("cbo_baud"), speedEntries(), twipsRect(1920, 480, 1455, 300));

    auto *ok = placed(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmd_ok"),
                      twipsRect(720, 1320, 975, 375));
    auto *cancel = placed(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), QStringLiteral("cmd_can"),
                          twipsRect(1920, 1320, 975, 375));
    // Enter presses OK; Escape and the close box cancel like the cancel button.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrmSet::cmd_ok_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(m_cboPort, m_cboBaud);
    setTabOrder(m_cboBaud, ok);
    setTabOrder(ok, cancel);

    m_choice = LoadEnv();
    m_cboPort->setCurrentIndex(listPosition(m_cboPort, m_choice.PortIndex));
    m_cboBaud->setCurrentIndex(listPosition(m_cboBaud, m_choice.BaudIndex));
}

PortChoice FrmSet::choose()
{
    FrmSet dialog;
    dialog.exec();
    return dialog.choice();
}

void FrmSet::cmd_ok_Click()
{
    const PortChoice picked{qint16(m_cboPort->currentIndex()), qint16(m_cboBaud->currentIndex())};
    if (!SaveEnv(picked)) {
        // The operator may cancel; the stored choice stays as it was.
        showModalMessage(this, QStringLiteral("通信設定を保存できません。"));
        return;
    }
    m_choice = picked;
    accept();
}

} // namespace telvaro::widgets
