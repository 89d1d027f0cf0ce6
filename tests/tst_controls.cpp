// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fastprogressbar.h"
#include "window/iconbevelbutton.h"
#include "window/largeiconbevelbutton.h"
#include "window/modepictures.h"

#include <QPainter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

namespace {

// Pixels a picture actually paints, out of its whole area.
int paintedPixels(const QImage &image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) != 0;
    return painted;
}

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modePicturesAreSvgResources_data()
    {
        QTest::addColumn<ModePicture>("picture");
        QTest::addColumn<QString>("path");
        QTest::newRow("trig") << ModePicture::Trig << ":/modes/trig.svg";
        QTest::newRow("constants") << ModePicture::Constants << ":/modes/constants.svg";
        QTest::newRow("mem") << ModePicture::Mem << ":/modes/mem.svg";
        QTest::newRow("misc") << ModePicture::Misc << ":/modes/misc.svg";
        QTest::newRow("convert") << ModePicture::Convert << ":/modes/convert.svg";
        QTest::newRow("history") << ModePicture::History << ":/modes/history.svg";
        QTest::newRow("RPN") << ModePicture::RPN << ":/modes/RPN.svg";
        QTest::newRow("help") << ModePicture::Help << ":/modes/help.svg";
        QTest::newRow("ComplexNumbers") << ModePicture::ComplexNumbers << ":/modes/ComplexNumbers.svg";
        QTest::newRow("matriciesandvectors")
            << ModePicture::MatriciesAndVectors << ":/modes/matriciesandvectors.svg";
    }

    void modePicturesAreSvgResources()
    {
        QFETCH(ModePicture, picture);
        QFETCH(QString, path);
        QCOMPARE(ModePictures::ResourcePath(picture), path);
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), QSize(36, 36));

        // At scale 2 the icon renders at twice the pixels, from the vector
        // drawing itself, and paints a real picture (not a blank or a speck).
        const QPixmap sharp = ModePictures::Icon(picture).pixmap(QSize(36, 36), 2.0);
        QCOMPARE(sharp.size(), QSize(72, 72));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        const int painted = paintedPixels(sharp.toImage());
        QVERIFY2(painted > 72 * 72 / 3, qPrintable(QString::number(painted)));
    }

    void modePicturesDifferFromEachOther()
    {
        QList<QImage> pictures;
        for (int i = 0; i <= static_cast<int>(ModePicture::MatriciesAndVectors); ++i)
            pictures << ModePictures::Icon(static_cast<ModePicture>(i)).pixmap(QSize(36, 36), 1.0).toImage();
        for (int i = 0; i < pictures.size(); ++i)
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(pictures[i] != pictures[j], qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }

    void buttonsAreSquareAndTakeNoFocus()
    {
        LargeIconBevelButton mode(ModePictures::Icon(ModePicture::Trig));
        IconBevelButton help(ModePictures::Icon(ModePicture::Help));
        for (IconBevelButton *button : { static_cast<IconBevelButton *>(&mode), &help }) {
            QCOMPARE(button->size(), QSize(36, 36));
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QVERIFY(button->text().isEmpty());
        }
        QVERIFY(mode.isCheckable());
        QVERIFY(!mode.isChecked());
        QVERIFY(!help.isCheckable());
    }

    void clickPressesOneAndReleasesTheOthers()
    {
        QWidget window;
        auto *trig = new LargeIconBevelButton(&window);
        auto *panel = new QWidget(&window); // the walk covers the whole window
        auto *mem = new LargeIconBevelButton(panel);
        auto *misc = new LargeIconBevelButton(&window);
        auto *help = new IconBevelButton(&window);
        QWidget otherWindow;
        auto *otherTrig = new LargeIconBevelButton(&otherWindow);
        otherTrig->setChecked(true);

        // When Action arrives, the release walk has already happened.
        QList<QList<bool>> statesAtAction;
        const auto record = [&] {
            statesAtAction << QList<bool> { trig->isChecked(), mem->isChecked(), misc->isChecked() };
        };
        for (auto *button : { trig, mem, misc })
            connect(button, &LargeIconBevelButton::Action, this, record);

        QTest::mouseClick(trig, Qt::LeftButton);
        QCOMPARE(statesAtAction.last(), (QList<bool> { true, false, false }));
        QTest::mouseClick(mem, Qt::LeftButton);
        QCOMPARE(statesAtAction.last(), (QList<bool> { false, true, false }));
        misc->click();
        QCOMPARE(statesAtAction.last(), (QList<bool> { false, false, true }));

        // The help button is no mode button: it leaves them as they are.
        QSignalSpy helpClicks(help, &QAbstractButton::clicked);
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(helpClicks.count(), 1);
        QVERIFY(!help->isChecked());
        QVERIFY(misc->isChecked());

        // Clicking the pressed one releases it; its Action still comes.
        misc->click();
        QCOMPARE(statesAtAction.size(), 4);
        QCOMPARE(statesAtAction.last(), (QList<bool> { false, false, false }));

        // Another window's mode buttons are left alone.
        QVERIFY(otherTrig->isChecked());
    }

    void pressedButtonIsShadedTranslucentBlack()
    {
        QWidget window;
        auto *button = new LargeIconBevelButton(ModePictures::Icon(ModePicture::Mem), &window);
        window.resize(60, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage released = grabbed(*button);
        button->click();
        QVERIFY(button->isChecked());
        const QImage pressed = grabbed(*button);
        QCOMPARE(pressed.size(), released.size());

        // Black through a 0x88 grey mask (white = clear) keeps 0x88/0xFF of
        // what lies beneath: every pixel darkens by that factor.
        int worst = 0;
        for (int y = 0; y < pressed.height(); ++y)
            for (int x = 0; x < pressed.width(); ++x) {
                const QRgb under = released.pixel(x, y), over = pressed.pixel(x, y);
                for (const auto &[below, above] : { std::pair(qRed(under), qRed(over)),
                         std::pair(qGreen(under), qGreen(over)), std::pair(qBlue(under), qBlue(over)) })
                    worst = std::max(worst, std::abs(above - below * 0x88 / 0xFF));
            }
        QVERIFY2(worst <= 1, qPrintable(QString::number(worst)));

        button->click();
        QCOMPARE(grabbed(*button), released);
    }

    void progressBarPropertiesArePlainValues()
    {
        FastProgressBar bar;
        bar.setMinimum(0);
        bar.setMaximum(4600);
        bar.setValue(230);
        QCOMPARE(bar.property("Minimum").toInt(), 0);
        QCOMPARE(bar.property("Maximum").toInt(), 4600);
        QCOMPARE(bar.property("Value").toInt(), 230);
        QVERIFY(bar.setProperty("Value", 460));
        QCOMPARE(bar.Value(), 460);
    }

    void progressBarDrawing_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("filled");
        QTest::newRow("empty") << 183 << 0 << 4600 << 0 << 0;
        // 183 * 0.5 = 91.5, truncated.
        QTest::newRow("half") << 183 << 0 << 4600 << 2300 << 91;
        QTest::newRow("full") << 183 << 0 << 4600 << 4600 << 183;
        // The fraction is kept as a float: 7/10 becomes 0.6999999881, and
        // 100 times that is 69.99999881, so 69 (in double precision 70).
        QTest::newRow("seven tenths, as a float") << 100 << 0 << 10 << 7 << 69;
        // 11/15 as a float is 0.7333333492: 300 times that is 220.0000048,
        // so 220 (in double precision 219.99999999999997, so 219).
        QTest::newRow("eleven fifteenths, as a float") << 300 << 0 << 15 << 11 << 220;
        // (50 - 10) / (110 - 10) = 0.4 of 200 pixels.
        QTest::newRow("offset range") << 200 << 10 << 110 << 50 << 80;
        // No clamping: beyond the range the fill runs off the edge or is empty.
        QTest::newRow("beyond the maximum") << 183 << 0 << 4600 << 9200 << 183;
        QTest::newRow("below the minimum") << 183 << 0 << 4600 << -5 << 0;
        QTest::newRow("extreme values")
            << 183 << std::numeric_limits<int>::min() << 0 << std::numeric_limits<int>::max() << 183;
        // An empty range is done once the value reaches it.
        QTest::newRow("empty range, reached") << 183 << 7 << 7 << 7 << 183;
        QTest::newRow("empty range, beyond") << 183 << 7 << 7 << 8 << 183;
        QTest::newRow("empty range, below") << 183 << 7 << 7 << 6 << 0;
    }

    void progressBarDrawing()
    {
        QFETCH(int, width);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, filled);

        FastProgressBar bar;
        QPalette palette;
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
        bar.setPalette(palette);
        bar.resize(width, 9);
        bar.setMinimum(minimum);
        bar.setMaximum(maximum);
        bar.setValue(value);
        QCOMPARE(bar.filledWidth(width), filled);

        // The tinge is a quarter of the highlight over the base:
        // 255 - 255/4 = 191.25 and 255 - 55/4 = 241.25, truncated.
        const QRgb tinge = qRgb(191, 191, 241);
        const QRgb highlight = qRgb(0, 0, 200);
        const QImage image = grabbed(bar);
        for (int y : { 0, 4, 8 })
            for (int x = 0; x < width; ++x)
                QCOMPARE(image.pixel(x, y), x < filled ? highlight : tinge);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
