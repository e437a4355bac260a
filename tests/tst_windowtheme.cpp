#include "ui/frmmain.h"

#include <QtTest>
#include <QtWidgets>

// A caption's contrast as WCAG measures it, as drawn: most of its area is background, and its
// text is what stands out most from that. An option button's circle is left out.
static double drawnContrast(QWidget *client, const QImage &grabbed, QWidget *caption)
{
    QRect area = caption->rect();
    if (auto *option = qobject_cast<QRadioButton *>(caption)) {
        QStyleOptionButton style;
        style.initFrom(option);
        area = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    }
    const QImage drawn = grabbed.copy(area.translated(caption->mapTo(client, QPoint())));
    const auto linear = [](int c) {
        return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4);
    };
    QList<double> values; // relative luminances
    for (int i = 0; i < drawn.width() * drawn.height(); ++i) {
        const QRgb pixel = drawn.pixel(i % drawn.width(), i / drawn.width());
        values << 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
                      0.0722 * linear(qBlue(pixel));
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    const double background = values[values.size() / 2];
    const auto [darkest, lightest] = std::minmax_element(values.begin(), values.end());
    const double text = background - *darkest > *lightest - background ? *darkest : *lightest;
    return (std::max(text, background) + 0.05) / (std::min(text, background) + 0.05);
}

class TestWindowTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A dark desktop reaches a window only when it is set before the window is made.
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(QPalette(QColor(48, 48, 48)));
    }

    void contentKeepsItsColoursUnderADarkDesktop()
    {
        frmMain window;
        window.SetDefaultSettings(); // Script mode greys the device function row.
        QWidget *client = window.centralWidget();
        const QImage grabbed = client->grab().toImage(); // the window's content, as drawn
        for (QWidget *caption : client->findChildren<QWidget *>()) {
            if (qobject_cast<QLabel *>(caption) || qobject_cast<QRadioButton *>(caption)) {
                // Text reads at 4.5:1 (WCAG AA); greyed text at 3:1 reads and stands apart.
                const double contrast = drawnContrast(client, grabbed, caption);
                const bool greyed = !caption->isEnabled();
                QVERIFY2(greyed ? contrast >= 3 && contrast < 4.5 : contrast >= 4.5,
                         qPrintable(caption->objectName() + u' ' + QString::number(contrast)));
            }
        }
        QCOMPARE(window.menuBar()->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));
    }

    void optionButtonTakesAClickAnywhereInItsRectangle()
    {
        frmMain window;
        auto *seven = window.findChild<QRadioButton *>(QStringLiteral("optBitLength_0"));
        // The circle and the caption "7" take the left half of the button.
        QTest::mouseClick(seven, Qt::LeftButton, {}, QPoint(seven->width() - 2, 5));
        QVERIFY(seven->isChecked());
    }
};

QTEST_MAIN(TestWindowTheme)
#include "tst_windowtheme.moc"
