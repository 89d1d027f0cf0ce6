// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does to show its first window sooner: the application
// style that reads no picture file before it is drawn, the icon engines that
// make their pictures on first use, and the action run after a window's
// first paint. Each must look and behave exactly as what it replaces.
#include "app/afterfirstpaint.h"
#include "app/applicationstyle.h"
#include "app/svgiconengine.h"
#include "window/modepictures.h"

#include <QApplication>
#include <QCommonStyle>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The image-format plug-ins mapped into this process.
QStringList imageFormatPlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    QStringList found;
    const QList<QByteArray> lines = maps.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.contains("/imageformats/"))
            found << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    found.removeDuplicates();
    return found;
}

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage();
}

// A style that counts the standard icons it makes and remembers the widget
// it was last asked for.
class CountingStyle : public QCommonStyle
{
public:
    mutable int made = 0;
    mutable const QWidget *askedFor = nullptr;

    QIcon standardIcon(
        StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const override
    {
        ++made;
        askedFor = widget;
        return QCommonStyle::standardIcon(standardIcon, option, widget);
    }
};

// A widget that counts its paints.
class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

const char SmallDrawing[] = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">)"
                            R"(<rect x="0" y="0" width="20" height="10" fill="#2060c0"/></svg>)";

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Runs first: every later test may load the plug-ins on purpose.
    void menuBarAndGroupBoxLoadNoImagePlugin()
    {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("needs /proc/self/maps");
        QVERIFY2(imageFormatPlugins().isEmpty(), qPrintable(imageFormatPlugins().join(u' ')));
        // As the program sets it up; a menu bar asks the application's style
        // for its icons while it is being built.
        QApplication::setStyle(new ApplicationStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
        QWidget window;
        auto *menuBar = new QMenuBar(&window);
        menuBar->addMenu(QStringLiteral("File"));
        auto *frame = new QGroupBox(&window);
        frame->setGeometry(10, 40, 120, 80);
        window.resize(200, 140);
        grabbed(window);
        QVERIFY2(imageFormatPlugins().isEmpty(), qPrintable(imageFormatPlugins().join(u' ')));
    }

    void groupBoxFramesLookAsTheBaseStyleDraws_data()
    {
        QTest::addColumn<QString>("styleName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        for (const char *name : { "Fusion", "Windows" }) {
            const QString styleName = QString::fromLatin1(name);
            QTest::addRow("%s, no title", name) << styleName << QString() << false;
            QTest::addRow("%s, titled", name) << styleName << QStringLiteral("Window transparency") << false;
            QTest::addRow("%s, checkable", name) << styleName << QString() << true;
        }
    }

    void groupBoxFramesLookAsTheBaseStyleDraws()
    {
        QFETCH(QString, styleName);
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(styleName));
        ApplicationStyle style(QStyleFactory::create(styleName));
        QImage pictures[2];
        for (int i = 0; i < 2; ++i) {
            QGroupBox box(title);
            box.setStyle(i == 0 ? plain.get() : &style);
            box.setCheckable(checkable);
            box.resize(220, 214);
            pictures[i] = grabbed(box);
        }
        QCOMPARE(pictures[1], pictures[0]);
    }

    void standardIconsLookAsTheBaseStyleMakes_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("menu bar overflow") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
        QTest::newRow("tool bar overflow") << int(QStyle::SP_ToolBarVerticalExtensionButton);
        QTest::newRow("warning") << int(QStyle::SP_MessageBoxWarning);
        QTest::newRow("critical") << int(QStyle::SP_MessageBoxCritical);
        QTest::newRow("OK button") << int(QStyle::SP_DialogOkButton);
        QTest::newRow("arrow") << int(QStyle::SP_ArrowBack);
    }

    void standardIconsLookAsTheBaseStyleMakes()
    {
        QFETCH(int, which);
        const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
        ApplicationStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon expected = plain->standardIcon(pixmap);
        const QIcon icon = style.standardIcon(pixmap);
        QVERIFY(!expected.isNull());
        QCOMPARE(icon.availableSizes(), expected.availableSizes());
        for (const QSize size : { QSize(16, 16), QSize(24, 24), QSize(48, 48) }) {
            QCOMPARE(icon.actualSize(size), expected.actualSize(size));
            for (const QIcon::Mode mode :
                { QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected }) {
                QCOMPARE(icon.pixmap(size, 1.0, mode).toImage(), expected.pixmap(size, 1.0, mode).toImage());
                const QPixmap sharp = icon.pixmap(size, 2.0, mode);
                const QPixmap expectedSharp = expected.pixmap(size, 2.0, mode);
                QCOMPARE(sharp.toImage(), expectedSharp.toImage());
                QCOMPARE(sharp.devicePixelRatio(), expectedSharp.devicePixelRatio());
            }
        }
        QImage painted[2];
        for (int i = 0; i < 2; ++i) {
            painted[i] = QImage(40, 30, QImage::Format_ARGB32_Premultiplied);
            painted[i].fill(Qt::transparent);
            QPainter painter(&painted[i]);
            (i == 0 ? expected : icon).paint(&painter, QRect(3, 2, 33, 25));
        }
        QCOMPARE(painted[1], painted[0]);
    }

    void standardIconIsMadeOnFirstUse()
    {
        auto *counting = new CountingStyle;
        ApplicationStyle style(counting);
        const QIcon icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QIcon copy = icon;
        QVERIFY(!icon.isNull());
        QCOMPARE(counting->made, 0);
        const QPixmap first = copy.pixmap(16, 16);
        QVERIFY(!first.isNull());
        QCOMPARE(counting->made, 1);
        copy.pixmap(32, 32);
        icon.actualSize(QSize(16, 16));
        QCOMPARE(counting->made, 1);
    }

    void standardIconAskedWithAnOptionIsMadeAtOnce()
    {
        auto *counting = new CountingStyle;
        ApplicationStyle style(counting);
        QStyleOption option;
        style.standardIcon(QStyle::SP_MessageBoxWarning, &option);
        QCOMPARE(counting->made, 1);
    }

    void standardIconForAWidgetGoneIsMadeForNone()
    {
        auto *counting = new CountingStyle;
        ApplicationStyle style(counting);
        auto asker = std::make_unique<QWidget>();
        const QIcon kept = style.standardIcon(QStyle::SP_ArrowBack, nullptr, asker.get());
        const QIcon other = style.standardIcon(QStyle::SP_ArrowForward, nullptr, asker.get());
        other.pixmap(16, 16);
        QCOMPARE(counting->askedFor, asker.get());
        asker.reset();
        QVERIFY(!kept.pixmap(16, 16).isNull());
        QVERIFY(!counting->askedFor);
    }

    void svgIconsDrawAsQtsOwnEngine_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("application icon") << QStringLiteral(":/zorvane.svg");
        for (const auto picture : { ModePicture::Trig, ModePicture::Help, ModePicture::MatriciesAndVectors })
            QTest::newRow(qPrintable(ModePictures::ResourcePath(picture)))
                << ModePictures::ResourcePath(picture);
    }

    void svgIconsDrawAsQtsOwnEngine()
    {
        QFETCH(QString, fileName);
        const QIcon expected(fileName); // Qt's engine, from its plug-in
        if (expected.isNull())
            QSKIP("Qt's SVG icon engine plug-in is not installed");
        const QIcon icon(new SvgIconEngine(fileName));
        QVERIFY(!icon.isNull());
        for (const QSize size : { QSize(16, 16), QSize(36, 36), QSize(128, 128), QSize(50, 20) }) {
            QCOMPARE(icon.actualSize(size), expected.actualSize(size));
            for (const QIcon::Mode mode : { QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected })
                QCOMPARE(icon.pixmap(size, 1.0, mode).toImage(), expected.pixmap(size, 1.0, mode).toImage());
            const QPixmap sharp = icon.pixmap(size, 2.0);
            QCOMPARE(sharp.toImage(), expected.pixmap(size, 2.0).toImage());
            QCOMPARE(sharp.devicePixelRatio(), 2.0);
        }
    }

    void svgIconReadsItsFileWhenFirstUsed()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("late.svg"));
        const QIcon icon(new SvgIconEngine(path)); // no file yet
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SmallDrawing);
        file.close();
        QVERIFY(!icon.isNull());
        // 20 by 10 fitted into 40 by 40 keeps its shape.
        QCOMPARE(icon.actualSize(QSize(40, 40)), QSize(40, 20));
        const QImage picture = icon.pixmap(QSize(40, 40)).toImage();
        QCOMPARE(picture.size(), QSize(40, 20));
        QCOMPARE(picture.pixelColor(20, 10), QColor(0x20, 0x60, 0xc0));
    }

    void svgIconDrawsEachSizeOnce()
    {
        const QIcon icon(new SvgIconEngine(ModePictures::ResourcePath(ModePicture::Mem)));
        const QPixmap first = icon.pixmap(QSize(36, 36));
        QCOMPARE(icon.pixmap(QSize(36, 36)).cacheKey(), first.cacheKey());
        QVERIFY(icon.pixmap(QSize(18, 18)).cacheKey() != first.cacheKey());
    }

    void svgIconOfNoDrawingIsNull()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QIcon missing(new SvgIconEngine(folder.filePath(QStringLiteral("missing.svg"))));
        QVERIFY(missing.isNull());
        QVERIFY(missing.pixmap(QSize(16, 16)).isNull());
        QVERIFY(missing.actualSize(QSize(16, 16)).isEmpty());
    }

    void afterFirstPaintRunsOnceWhenThePaintIsDone()
    {
        PaintCounter window;
        window.resize(100, 60);
        int runs = 0;
        int paintsSeen = -1;
        AfterFirstPaint::Run(&window, [&] {
            ++runs;
            paintsSeen = window.paints;
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(runs, 1);
        QVERIFY(paintsSeen >= 1);
        window.repaint();
        window.update();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void afterFirstPaintRunsNothingForAWindowDeletedUnpainted()
    {
        int runs = 0;
        auto window = std::make_unique<PaintCounter>();
        const QPointer<QWidget> alive(window.get());
        AfterFirstPaint::Run(window.get(), [&] { ++runs; });
        window.reset();
        QCoreApplication::processEvents();
        QVERIFY(!alive);
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
