// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/displaycanvas.h"
#include "window/displayrenderer.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

using Content = DisplayRenderer::Content;

// The 64 bits of pi as a double: the longest text the display shows.
const QString kLongBinary
    = QStringLiteral("0100000000001001001000011111101101010100010001000010110100011000");

QRgb rgb(int red, int green, int blue)
{
    return qRgb(red, green, blue);
}

// Background row i of a display h rows high: top (251, 255, 222) to bottom
// (204, 214, 172), each component truncated toward zero.
QRgb gradientRow(int i, int h)
{
    return qRgb(static_cast<int>(std::trunc(251 - 47.0 * i / h)),
        static_cast<int>(std::trunc(255 - 41.0 * i / h)), static_cast<int>(std::trunc(222 - 50.0 * i / h)));
}

const QRgb kBorder = qRgb(227, 234, 197);

QFont numberFace(int pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pointSize);
    return font;
}

QFont statusFace()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    return font;
}

QImage blankPicture(QSize size, qreal dpr)
{
    QImage image(std::ceil(size.width() * dpr), std::ceil(size.height() * dpr), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    return image;
}

// The largest whole point size from 24 down at which text is narrower than
// the width less 20.
int fittingPointSize(const QString &text, int width, const QImage &device)
{
    int size = 24;
    while (size > 1 && QFontMetricsF(numberFace(size), &device).horizontalAdvance(text) >= width - 20)
        --size;
    return size;
}

// The display as drawn independently of the renderer: gradient rows, border,
// the number right-aligned 5 pixels from the right with its baseline at the
// ascent, the status line 2 pixels above the bottom with the flag
// right-aligned and the left text at x = 6.
QImage expectedDisplay(QSize size, qreal dpr, const QString &number, const QString &flag, const QString &left)
{
    QImage image = blankPicture(size, dpr);
    const int w = size.width(), h = size.height();
    QPainter painter(&image);
    for (int i = 0; i < h; ++i)
        painter.fillRect(QRect(0, i, w, 1), QColor(gradientRow(i, h)));
    painter.setPen(QColor(kBorder));
    painter.fillRect(QRect(0, 0, w, 1), QColor(kBorder));
    painter.fillRect(QRect(0, h - 1, w, 1), QColor(kBorder));
    painter.fillRect(QRect(0, 0, 1, h), QColor(kBorder));
    painter.fillRect(QRect(w - 1, 0, 1, h), QColor(kBorder));

    painter.setPen(Qt::black);
    const QFont big = numberFace(fittingPointSize(number, w, image));
    const QFontMetricsF bigMetrics(big, &image);
    painter.setFont(big);
    painter.drawText(QPointF(w - bigMetrics.horizontalAdvance(number) - 5, bigMetrics.ascent()), number);

    const QFontMetricsF small(statusFace(), &image);
    const qreal baseline = h - (small.height() - small.ascent()) - 2;
    painter.setFont(statusFace());
    if (!flag.isEmpty())
        painter.drawText(QPointF(w - small.horizontalAdvance(flag) - 5, baseline), flag);
    painter.drawText(QPointF(6, baseline), left);
    return image;
}

// Where two pictures differ, for a readable failure.
QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2 is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    return {};
}

} // namespace

class TestDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gradientRowsAndBorder_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("330x40") << QSize(330, 40) << 1.0;
        QTest::newRow("330x40 at scale 2") << QSize(330, 40) << 2.0;
        QTest::newRow("786x57") << QSize(786, 57) << 1.0;
        QTest::newRow("120x23 at scale 2") << QSize(120, 23) << 2.0;
    }

    void gradientRowsAndBorder()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, dpr);
        DisplayRenderer renderer;
        const QImage &image = renderer.Compose(Content {}, size, dpr);
        QCOMPARE(image.size(), size * dpr);
        QCOMPARE(image.devicePixelRatio(), dpr);
        QCOMPARE(image.depth(), 32);

        const int w = size.width(), h = size.height();
        const int scale = static_cast<int>(dpr);
        // A column clear of text: every inner row has its own gradient colour,
        // on every device pixel row of that logical row.
        const int column = (w / 2) * scale;
        for (int i = 1; i < h - 1; ++i)
            for (int sub = 0; sub < scale; ++sub)
                QCOMPARE(image.pixel(column, i * scale + sub), gradientRow(i, h));
        // The one-pixel outline.
        for (int x = 0; x < w * scale; ++x) {
            QCOMPARE(image.pixel(x, 0), kBorder);
            QCOMPARE(image.pixel(x, h * scale - 1), kBorder);
        }
        for (int y = 0; y < h * scale; ++y) {
            QCOMPARE(image.pixel(0, y), kBorder);
            QCOMPARE(image.pixel(w * scale - 1, y), kBorder);
        }
    }

    void gradientColoursAtFixedRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QRgb>("colour");
        // 40 rows high: 251 - 47*1/40 = 249.825, 255 - 41/40 = 253.975, 222 - 50/40 = 220.75.
        QTest::newRow("top") << 1 << rgb(249, 253, 220);
        // 251 - 23.5 = 227.5, 255 - 20.5 = 234.5, 222 - 25 = 197.
        QTest::newRow("middle") << 20 << rgb(227, 234, 197);
        // 251 - 44.65 = 206.35, 255 - 38.95 = 216.05, 222 - 47.5 = 174.5.
        QTest::newRow("bottom") << 38 << rgb(206, 216, 174);
    }

    void gradientColoursAtFixedRows()
    {
        QFETCH(int, row);
        QFETCH(QRgb, colour);
        DisplayRenderer renderer;
        const QImage &image = renderer.Compose(Content {}, QSize(330, 40), 1.0);
        QCOMPARE(image.pixel(200, row), colour);
    }

    void displayAsDrawn_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("left");
        QTest::newRow("infix radians") << QSize(330, 40) << 1.0 << "5"
                                       << ""
                                       << "[Infix]"
                                       << "Radians"
                                       << "[Infix] [Radians]";
        QTest::newRow("RPN radians, three blanks") << QSize(330, 40) << 1.0 << "-12.5"
                                                   << ""
                                                   << "[RPN]  "
                                                   << "Radians"
                                                   << "[RPN]   [Radians]";
        QTest::newRow("flag on the right") << QSize(330, 40) << 1.0 << "0"
                                           << "Need more numbers"
                                           << "[Infix]"
                                           << "Degrees"
                                           << "[Infix] [Degrees]";
        QTest::newRow("operator flag at scale 2") << QSize(330, 40) << 2.0 << "3.14159"
                                                  << "+"
                                                  << "[Infix]"
                                                  << "Gradians"
                                                  << "[Infix] [Gradians]";
        QTest::newRow("long binary shrinks") << QSize(330, 40) << 1.0 << kLongBinary << ""
                                             << "[Infix]"
                                             << "Radians"
                                             << "[Infix] [Radians]";
        QTest::newRow("long binary in a wide window") << QSize(786, 40) << 2.0 << kLongBinary << ""
                                                      << "[RPN]  "
                                                      << "Turns"
                                                      << "[RPN]   [Turns]";
    }

    void displayAsDrawn()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, dpr);
        QFETCH(QString, number);
        QFETCH(QString, flag);
        QFETCH(QString, note);
        QFETCH(QString, angle);
        QFETCH(QString, left);
        QCOMPARE(DisplayRenderer::StatusText(note, angle), left);

        DisplayRenderer renderer;
        const QImage actual = renderer.Compose(Content { number, flag, note, angle }, size, dpr);
        const QImage expected = expectedDisplay(size, dpr, number, flag, left);
        QCOMPARE(firstDifference(actual, expected), QString());
    }

    void longBinaryTakesTheLargestSizeThatFits_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("330") << 330 << 1.0;
        QTest::newRow("330 at scale 2") << 330 << 2.0;
        QTest::newRow("786") << 786 << 1.0;
    }

    void longBinaryTakesTheLargestSizeThatFits()
    {
        QFETCH(int, width);
        QFETCH(qreal, dpr);
        DisplayRenderer renderer;
        renderer.Compose(Content { kLongBinary, {}, QStringLiteral("[Infix]"), QStringLiteral("Radians") },
            QSize(width, 40), dpr);
        const int size = renderer.numberPointSize();
        const QImage device = blankPicture(QSize(width, 40), dpr);
        QVERIFY(size < 24);
        QVERIFY(QFontMetricsF(numberFace(size), &device).horizontalAdvance(kLongBinary) < width - 20);
        QVERIFY(QFontMetricsF(numberFace(size + 1), &device).horizontalAdvance(kLongBinary) >= width - 20);
    }

    void shortNumberAfterLongIsLargeAgain()
    {
        DisplayRenderer renderer;
        renderer.Compose(Content { kLongBinary, {}, {}, {} }, QSize(330, 40), 1.0);
        QVERIFY(renderer.numberPointSize() < 24);
        renderer.Compose(Content { QStringLiteral("7"), {}, {}, {} }, QSize(330, 40), 1.0);
        QCOMPARE(renderer.numberPointSize(), 24);
    }

    void emptyFlagDrawsNothingOnTheRight()
    {
        DisplayRenderer renderer;
        const Content content { QStringLiteral("1"), {}, QStringLiteral("[Infix]"),
            QStringLiteral("Radians") };
        const QImage image = renderer.Compose(content, QSize(330, 40), 1.0);
        // The bottom right quarter, below the number, is the bare gradient.
        for (int y = 30; y < 39; ++y)
            for (int x = 200; x < 329; ++x)
                QCOMPARE(image.pixel(x, y), gradientRow(y, 40));
    }

    void pictureRemadeOnlyWhenTheWidthChanges()
    {
        DisplayRenderer renderer;
        const Content content { QStringLiteral("42"), {}, QStringLiteral("[Infix]"),
            QStringLiteral("Radians") };
        QCOMPARE(renderer.Compose(content, QSize(330, 40), 1.0).size(), QSize(330, 40));

        // Taller canvas, same width: the picture keeps its height, and the
        // gradient is still computed over the picture's own 40 rows.
        const QImage &taller = renderer.Compose(content, QSize(330, 60), 1.0);
        QCOMPARE(taller.size(), QSize(330, 40));
        QCOMPARE(taller.pixel(200, 20), gradientRow(20, 40));
        QCOMPARE(taller.pixel(200, 39), kBorder);

        // A new width makes a new picture of the canvas's current size.
        const QImage &wider = renderer.Compose(content, QSize(400, 60), 1.0);
        QCOMPARE(wider.size(), QSize(400, 60));
        QCOMPARE(wider.pixel(200, 30), gradientRow(30, 60));
        QCOMPARE(wider.pixel(399, 30), kBorder);

        // A new device pixel ratio needs a new picture as well.
        QCOMPARE(renderer.Compose(content, QSize(400, 60), 2.0).size(), QSize(800, 120));
    }

    void emptyCanvasComposesNothing()
    {
        DisplayRenderer renderer;
        QVERIFY(renderer.Compose(Content { QStringLiteral("1"), {}, {}, {} }, QSize(0, 40), 1.0).isNull());
        QVERIFY(renderer.Compose(Content { QStringLiteral("1"), {}, {}, {} }, QSize(330, 0), 1.0).isNull());
        QCOMPARE(renderer.Compose(Content { QStringLiteral("1"), {}, {}, {} }, QSize(330, 40), 1.0).size(),
            QSize(330, 40));
    }

    void canvasNarrowerThanTheMarginsShrinksToTheSmallestSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("number");
        QTest::newRow("no room, a digit") << 20 << "7";
        QTest::newRow("no room, no text") << 20 << "";
        QTest::newRow("less than none") << 12 << "-1.5";
        QTest::newRow("one pixel") << 1 << "";
    }

    void canvasNarrowerThanTheMarginsShrinksToTheSmallestSize()
    {
        QFETCH(int, width);
        QFETCH(QString, number);
        DisplayRenderer renderer;
        // No width is less than W - 20 <= 0: the loop runs down to its end.
        QCOMPARE(
            renderer.Compose(Content { number, {}, {}, {} }, QSize(width, 40), 1.0).size(), QSize(width, 40));
        QCOMPARE(renderer.numberPointSize(), DisplayRenderer::kSmallestNumberPointSize);
    }

    void canvasPaintsTheComposedPicture()
    {
        QWidget window;
        DisplayCanvas canvas(&window);
        QCOMPARE(canvas.objectName(), QStringLiteral("cnvDisplay"));
        QCOMPARE(canvas.focusPolicy(), Qt::NoFocus);
        canvas.setGeometry(15, 15, 330, 40);
        QString number = QStringLiteral("2");
        canvas.setContentSource([&number] {
            return Content { number, QStringLiteral("+"), QStringLiteral("[Infix]"),
                QStringLiteral("Radians") };
        });
        window.resize(360, 70);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        number = QStringLiteral("23");
        canvas.FlickerFreeRefresh(); // composes at once, without waiting for a paint
        const QImage composed = canvas.currentState();
        QCOMPARE(firstDifference(composed,
                     expectedDisplay(QSize(330, 40), canvas.devicePixelRatio(), number, QStringLiteral("+"),
                         QStringLiteral("[Infix] [Radians]"))),
            QString());

        // The display keeps its own colours under a dark palette.
        QPalette dark;
        dark.setColor(QPalette::Window, Qt::black);
        dark.setColor(QPalette::WindowText, Qt::white);
        window.setPalette(dark);
        const QImage onScreen = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(firstDifference(onScreen, composed), QString());
    }
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
