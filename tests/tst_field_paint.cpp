#include "support/telvaro_names.h"
#include "widgets/field_paint.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTest>

namespace {

// The colour drawn in the middle of the widget, where no frame or text stands.
QColor paintedColour(QWidget *widget)
{
    widget->resize(60, 20);
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

// What the operator sees of a locked or unlocked field, labels included.
class TestFieldPaint : public QObject
{
    Q_OBJECT

private slots:
    void paintedColour_isWhatTheScreenShows_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<bool>("white");
        QTest::newRow("label, white") << true << true;
        QTest::newRow("label, button face") << true << false;
        QTest::newRow("text box, white") << false << true;
        QTest::newRow("text box, button face") << false << false;
    }

    void paintedColour_isWhatTheScreenShows()
    {
        QFETCH(bool, label);
        QFETCH(bool, white);
        std::unique_ptr<QWidget> field;
        if (label)
            field = std::make_unique<QLabel>();
        else
            field = std::make_unique<QLineEdit>();
        const FieldColour colour = white ? FieldColour::White : FieldColour::ButtonFace;
        paintField(field.get(), colour);
        QCOMPARE(fieldColour(field.get()), colour);
        const QColor expected = white ? QColor(255, 255, 255) : QApplication::palette().color(QPalette::Button);
        QCOMPARE(paintedColour(field.get()), expected);
    }

    // A label shows the page through until it is first painted; button face is its look then.
    void showFieldColour_paintsALabelOnlyOnceItIsWhite()
    {
        QLabel label;
        const QPalette before = label.palette();
        QCOMPARE(fieldColour(&label), FieldColour::ButtonFace);
        showFieldColour(&label, FieldColour::ButtonFace);
        QVERIFY(!label.autoFillBackground());
        QCOMPARE(label.palette(), before);

        showFieldColour(&label, FieldColour::White);
        QCOMPARE(fieldColour(&label), FieldColour::White);
        QCOMPARE(paintedColour(&label), QColor(255, 255, 255));
        showFieldColour(&label, FieldColour::ButtonFace);
        QCOMPARE(paintedColour(&label), QApplication::palette().color(QPalette::Button));
    }
};

QTEST_MAIN(TestFieldPaint)
#include "tst_field_paint.moc"
