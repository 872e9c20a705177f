#include "widgets/settings_pages.h"

#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_font.h"
#include "widgets/twips_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace telvaro::base;
using namespace telvaro::model;

namespace telvaro::widgets {

namespace {

constexpr qreal kLargePoints = 11.25;

QLabel *framedLabel(QWidget *canvas, const QString &name, const QString &caption, const QRect &rect)
{
    auto *label = placed(new QLabel(caption, canvas), name, rect);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The framed, centred captions of a column or row, light text on a coloured ground.
QLabel *headingLabel(QWidget *canvas, const QString &name, const QString &caption, const QRect &rect,
                     const QColor &ground)
{
    QLabel *label = framedLabel(canvas, name, caption, rect);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QLineEdit *textBox(QWidget *canvas, const QString &name, const QRect &rect)
{
    auto *field = placed(new QLineEdit(canvas), name, rect);
    paintField(field, FieldColour::ButtonFace);
    return field;
}

// The operator may type into the edit field, but only a pick from the list is a pick: typed
// text never becomes an entry, and finishing an edit on a listed name (Enter, Tab, a click
// elsewhere) does not select that entry, which the box would otherwise report as activated.
QComboBox *editableCombo(QWidget *canvas, const QString &name, const QRect &rect)
{
    auto *combo = placed(new QComboBox(canvas), name, rect);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    paintField(combo, FieldColour::ButtonFace);
    return combo;
}

struct Heading
{
    int index;
    const char16_t *caption;
    int left;
    int width;
};

} // namespace

void buildChannelPage(QWidget *canvas, ScreenControls &controls)
{
    const QColor orange(255, 128, 0);
    // The lower limit stands left of the upper one, under the heading of index 5.
    const Heading headings[] = {
        {0, u"ChNo", 120, 495},   {1, u"要素名", 600, 2175},       {2, u"単位", 2760, 615},
        {3, u"フォーマット", 3360, 975}, {5, u"警報下限値", 4320, 1455}, {4, u"警報上限値", 5760, 1455},
    };
    for (const Heading &heading : headings)
        headingLabel(canvas, indexedName(QStringLiteral("Label4"), heading.index),
                     QString::fromUtf16(heading.caption), twipsRect(heading.left, 480, heading.width, 255),
                     orange);

    QWidget *previousLimit = nullptr;
    for (int r = 0; r < ScreenControls::kChannelRows; ++r) {
        const int top = 720 + 360 * r;
        controls.Label1[r] = framedLabel(canvas, indexedName(QStringLiteral("Label1"), r), {},
                                         twipsRect(120, top, 495, 255));
        controls.Combo1[r] = editableCombo(canvas, indexedName(QStringLiteral("Combo1"), r),
                                           twipsRect(600, top, 2175, 300));
        controls.Label2[r] = framedLabel(canvas, indexedName(QStringLiteral("Label2"), r), {},
                                         twipsRect(2760, top, 615, 255));
        controls.Label3[r] = framedLabel(canvas, indexedName(QStringLiteral("Label3"), r), {},
                                         twipsRect(3360, top, 975, 255));
        controls.Text1[r] = textBox(canvas, indexedName(QStringLiteral("Text1"), r), twipsRect(4320, top, 1455, 270));
        controls.Text2[r] = textBox(canvas, indexedName(QStringLiteral("Text2"), r), twipsRect(5760, top, 1455, 270));

        // The limits are keyed in row by row, lower before upper.
        if (previousLimit)
            QWidget::setTabOrder(previousLimit, controls.Text1[r]);
        QWidget::setTabOrder(controls.Text1[r], controls.Text2[r]);
        previousLimit = controls.Text2[r];
    }
}

void buildMailPage(QWidget *canvas, MailPage page, std::array<QLineEdit *, ScreenControls::kMailRows> &fields)
{
    const bool alarm = page == MailPage::Alarm;
    const QColor ground = alarm ? QColor(0, 192, 0) : QColor(0, 0, 255);
    const int firstHeading = alarm ? 6 : 8;
    const QString rowLabels = alarm ? QStringLiteral("Label5") : QStringLiteral("Label6");
    const QString fieldName = alarm ? QStringLiteral("Text4") : QStringLiteral("Text5");

    headingLabel(canvas, indexedName(QStringLiteral("Label4"), firstHeading), QStringLiteral("No"),
                 twipsRect(120, 480, 495, 255), ground);
    headingLabel(canvas, indexedName(QStringLiteral("Label4"), firstHeading + 1), QStringLiteral("メールアドレス"),
                 twipsRect(600, 480, 6495, 255), ground);

    const QFont large = screenFont(kLargePoints);
    for (int k = 0; k < ScreenControls::kMailRows; ++k) {
        const int top = 720 + 480 * k;
        QLabel *number = headingLabel(canvas, indexedName(rowLabels, k), QString::number(k + 1),
                                      twipsRect(120, top, 495, 375), ground);
        number->setFont(large);
        fields[k] = textBox(canvas, indexedName(fieldName, k), twipsRect(600, top, 6495, 375));
        fields[k]->setFont(large);
        fields[k]->setEnabled(false);
    }
}

namespace {

// The rows of the connection page from top to bottom, each naming the item it shows: the APN row
// at the top, the authentication selector fourth.
struct ConnectionRow
{
    int labelIndex;
    std::string_view item;
    int labelWidth;
};
constexpr ConnectionRow kConnectionRows[] = {
    {9, "CAAPN", 1335},          {0, "CALOGINID", 735},      {1, "CALOGINPASS", 975},
    {11, "CAAUTHTYPE", 975},     {2, "CATELNO", 975},        {3, "CAPOPID", 975},
    {4, "CAPOPPASS", 975},       {5, "CAPOPSERVER", 1335},   {6, "CASMTPSERVER", 1335},
    {7, "CAFROMADDRESS", 1335},  {8, "CADNS1", 1335},        {10, "CADNS2", 1335},
};

// Every connection item has its row on the page, once.
constexpr bool connectionRowsShowEveryItem()
{
    if (int(std::size(kConnectionRows)) != LoggerItems::itemsIn(ItemBlock::Connection))
        return false;
    for (const ConnectionRow &row : kConnectionRows) {
        const int item = LoggerItems::rowNamed(row.item);
        if (item < 0 || LoggerItems::kRows[std::size_t(item)].block != ItemBlock::Connection)
            return false;
        for (const ConnectionRow &other : kConnectionRows) {
            if (&other != &row && other.item == row.item)
                return false;
        }
    }
    return true;
}
static_assert(connectionRowsShowEveryItem());

} // namespace

void buildConnectionPage(QWidget *canvas, ScreenControls &controls)
{
    for (int i = 0; i < int(std::size(kConnectionRows)); ++i) {
        const ConnectionRow &row = kConnectionRows[i];
        const LoggerItems::Row &item = LoggerItems::row(row.item);
        const int top = 720 + 480 * i;
        // The caption sits a little lower than its field, so the texts line up.
        auto *caption = placed(new QLabel(LoggerItems::captionOf(item), canvas),
                               indexedName(QStringLiteral("Label7"), row.labelIndex),
                               twipsRect(360, top + 120, row.labelWidth, 375));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (item.field == ItemField::AuthLabel) {
            controls.setObserbox = editableCombo(canvas, QStringLiteral("setObserbox"), twipsRect(1560, top, 1455, 300));
            controls.setObserbox->setEnabled(false);
        } else {
            const int box = LoggerItems::boxOf(item);
            QLineEdit *field = textBox(canvas, indexedName(QStringLiteral("Text3"), box),
                                       twipsRect(1560, top, 4335, 375));
            field->setEnabled(false);
            controls.Text3[box] = field;
        }
    }

    controls.AuthLabel = framedLabel(canvas, QStringLiteral("AuthLabel"), {}, twipsRect(3120, 2280, 1215, 255));
    controls.AuthLabel->hide();
}

} // namespace telvaro::widgets
