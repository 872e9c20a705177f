#include "widgets/port_assignment_dialog.h"

#include "ports/port_folders.h"
#include "ports/port_table_model.h"
#include "widgets/screen_font.h"
#include "widgets/slot_guard.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace telvaro::ports;

namespace telvaro::widgets {

namespace {

template<typename Widget>
Widget *named(Widget *widget, const char16_t *name)
{
    widget->setObjectName(QString::fromUtf16(name));
    return widget;
}

} // namespace

PortAssignmentDialog::PortAssignmentDialog(const PortFolders &folders, int comNumber, QWidget *parent)
    : QDialog(parent), m_model(std::make_unique<PortTableModel>(folders))
{
    setObjectName(QStringLiteral("frm_PortAssignment"));
    setWindowTitle(QStringLiteral("シリアルポートの割り当て"));
    setFont(screenFont());
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("このコンピューターのシリアルポート(&L):"), this));
    m_table = named(new QTableView(this), u"tbl_Ports");
    m_table->setModel(m_model.get());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumSize(760, 200);
    static_cast<QLabel *>(layout->itemAt(0)->widget())->setBuddy(m_table);
    layout->addWidget(m_table);

    auto *choice = new QHBoxLayout;
    auto *comLabel = new QLabel(QStringLiteral("COM 名(&C):"), this);
    m_comNames = named(new QComboBox(this), u"cbo_ComName");
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number)
        m_comNames->addItem(QStringLiteral("COM%1").arg(number), number);
    m_comNames->setCurrentIndex(qBound(kFirstComNumber, comNumber, kLastComNumber) - kFirstComNumber);
    comLabel->setBuddy(m_comNames);
    auto *assign = named(new QPushButton(QStringLiteral("割り当てる(&A)"), this), u"cmd_Assign");
    auto *unassign = named(new QPushButton(QStringLiteral("割り当てを解除(&R)"), this), u"cmd_Unassign");
    choice->addWidget(comLabel);
    choice->addWidget(m_comNames);
    choice->addWidget(assign);
    choice->addWidget(unassign);
    choice->addStretch();
    layout->addLayout(choice);

    m_mapping = named(new QLabel(this), u"lbl_Mapping");
    m_mapping->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_mapping);
    m_message = named(new QLabel(this), u"lbl_Message");
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(named(new QPushButton(QStringLiteral("閉じる"), this), u"cmd_Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(assign, &QPushButton::clicked, this, [this] { runGuarded("assigning a COM name", [this] { assignChosen(); }); });
    connect(unassign, &QPushButton::clicked, this, [this] { runGuarded("removing a COM name", [this] { unassignChosen(); }); });
    connect(m_comNames, &QComboBox::currentIndexChanged, this, &PortAssignmentDialog::showMapping);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        m_chosenDevice = current.isValid() ? m_model->devices().at(current.row()).device : QString();
    });
    // The list is read anew when a device comes or goes: the device chosen stays chosen while
    // it is there.
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, [this] {
        const int row = m_model->rowOf(m_chosenDevice);
        if (row >= 0)
            m_table->selectRow(row);
        showMapping();
    });

    m_table->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_table->selectRow(0);
    showMapping();
}

PortAssignmentDialog::~PortAssignmentDialog() = default;

void PortAssignmentDialog::showModal(int comNumber, QWidget *parent)
{
    PortAssignmentDialog dialog(PortFolders::ofThisMachine(), comNumber, parent);
    dialog.exec();
}

int PortAssignmentDialog::chosenComNumber() const
{
    return m_comNames->currentData().toInt();
}

int PortAssignmentDialog::chosenRow() const
{
    return m_model->rowOf(m_chosenDevice);
}

void PortAssignmentDialog::assignChosen()
{
    const PortTableModel::Outcome outcome = m_model->assign(chosenComNumber(), chosenRow());
    tell(outcome.done, outcome.message);
}

void PortAssignmentDialog::unassignChosen()
{
    const PortTableModel::Outcome outcome = m_model->unassign(chosenComNumber());
    tell(outcome.done, outcome.message);
}

void PortAssignmentDialog::showMapping()
{
    m_mapping->setText(QStringLiteral("現在の割り当て: ") + m_model->mappingText(chosenComNumber()));
}

void PortAssignmentDialog::tell(bool done, const QString &text)
{
    // What was not done stands out from what was.
    m_message->setStyleSheet(done ? QString() : QStringLiteral("color: #b00000;"));
    m_message->setText(text);
    showMapping();
}

} // namespace telvaro::widgets
