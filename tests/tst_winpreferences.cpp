// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preferences.h"
#include "app/windowcandy.h"
#include "app/winpreferences.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

class TestWinPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Preferences> preferences;

    template <typename T> static T *control(QWidget &window, const char *name)
    {
        auto *found = window.findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    // What the slider shows for a stored alpha: 100 * (1 - alpha), worked
    // out in double precision from the float, truncated toward zero.
    static int truncatedPosition(float alpha)
    {
        return static_cast<int>(std::trunc(100.0 * (1.0 - static_cast<double>(alpha))));
    }

private Q_SLOTS:
    void init()
    {
        // No file in the folder: the record starts with the defaults.
        preferences = std::make_unique<Preferences>(dir.filePath(QStringLiteral("Zorvane Preferences")));
    }

    void cleanup()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            delete window;
    }

    void windowAndControlsAreWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("group") << "grpWindowTransparency"
                               << "Window transparency" << QRect(20, 14, 232, 115);
        QTest::newRow("on") << "radWindowTransparencyOn"
                            << "On" << QRect(36, 44, 50, 20);
        QTest::newRow("off") << "radWindowTransparencyOff"
                             << "Off" << QRect(96, 44, 50, 20);
        QTest::newRow("slider") << "sliWindowTransparency"
                                << "" << QRect(36, 76, 200, 16);
        QTest::newRow("opaque") << "lblOpaqueLabel"
                                << "Opaque" << QRect(36, 100, 50, 12);
        QTest::newRow("invisible") << "lblInvisibleLabel"
                                   << "Invisible" << QRect(186, 100, 50, 12);
        QTest::newRow("speak results") << "chkSpeakResults"
                                       << "Speak results" << QRect(20, 141, 150, 20);
        QTest::newRow("speak else") << "chkSpeakKeypresses"
                                    << "Speak everything else" << QRect(20, 161, 150, 20);
    }

    void windowAndControlsAreWhereTheyBelong()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        winPreferences window(*preferences);
        QCOMPARE(window.windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(window.size(), QSize(272, 201));
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);

        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY(widget);
        const QRect placed(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        if (qobject_cast<QCheckBox *>(widget)) {
            // A check box may grow to the right so that the system font's
            // caption shows whole, within the window's 20-pixel margin.
            QCOMPARE(placed.topLeft(), geometry.topLeft());
            QCOMPARE(placed.height(), geometry.height());
            QCOMPARE(placed.width(), std::clamp(widget->sizeHint().width(), geometry.width(), 272 - 40));
        } else {
            QCOMPARE(placed, geometry);
        }
        if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), text);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), text);
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(group->title(), text);
    }

    void sliderAndLabelsAreSetUp()
    {
        winPreferences window(*preferences);
        auto *slider = control<QSlider>(window, "sliWindowTransparency");
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->singleStep(), 1);
        QCOMPARE(slider->pageStep(), 20);
        QVERIFY(control<QLabel>(window, "lblInvisibleLabel")->alignment() & Qt::AlignRight);
        // Each transparency control sits in the group.
        auto *group = control<QGroupBox>(window, "grpWindowTransparency");
        for (const char *name : { "radWindowTransparencyOn", "radWindowTransparencyOff",
                 "sliWindowTransparency", "lblOpaqueLabel", "lblInvisibleLabel" })
            QCOMPARE(control<QWidget>(window, name)->parentWidget(), group);
    }

    void defaultsShowOffWithADisabledSlider()
    {
        winPreferences window(*preferences);
        QVERIFY(control<QRadioButton>(window, "radWindowTransparencyOff")->isChecked());
        QVERIFY(!control<QRadioButton>(window, "radWindowTransparencyOn")->isChecked());
        QVERIFY(!control<QSlider>(window, "sliWindowTransparency")->isEnabled());
        QCOMPARE(control<QSlider>(window, "sliWindowTransparency")->value(), 0); // alpha 1.0
        QVERIFY(!control<QCheckBox>(window, "chkSpeakResults")->isChecked());
        QVERIFY(!control<QCheckBox>(window, "chkSpeakKeypresses")->isChecked());
    }

    void openingMirrorsTheRecordAndChangesNothing()
    {
        preferences->windowAlphaUsed = true;
        preferences->windowAlpha = 0.29f;
        preferences->speakResults = true;
        preferences->speakEverythingElse = false;
        winPreferences window(*preferences);
        QVERIFY(control<QRadioButton>(window, "radWindowTransparencyOn")->isChecked());
        QVERIFY(control<QSlider>(window, "sliWindowTransparency")->isEnabled());
        QCOMPARE(control<QSlider>(window, "sliWindowTransparency")->value(), truncatedPosition(0.29f));
        QVERIFY(control<QCheckBox>(window, "chkSpeakResults")->isChecked());
        QVERIFY(!control<QCheckBox>(window, "chkSpeakKeypresses")->isChecked());
        // Showing the settings writes none of them back.
        QCOMPARE(preferences->windowAlpha, 0.29f);
    }

    void onAndOffSwitchTheSliderAndPushTheChange()
    {
        preferences->windowAlpha = 0.6f;
        winPreferences window(*preferences);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changes(&window, &winPreferences::transparencyChanged);
        auto *on = control<QRadioButton>(window, "radWindowTransparencyOn");
        auto *off = control<QRadioButton>(window, "radWindowTransparencyOff");
        auto *slider = control<QSlider>(window, "sliWindowTransparency");

        QTest::mouseClick(on, Qt::LeftButton, {}, QPoint(8, on->height() / 2));
        QVERIFY(preferences->windowAlphaUsed);
        QVERIFY(slider->isEnabled());
        QCOMPARE(changes.count(), 1);

        QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(8, off->height() / 2));
        QVERIFY(!preferences->windowAlphaUsed);
        QVERIFY(!slider->isEnabled());
        QCOMPARE(changes.count(), 2);
        // Off keeps the opacity for the next time it is turned on.
        QCOMPARE(preferences->windowAlpha, 0.6f);
    }

    void sliderSetsAlphaAndReopeningShowsTheTruncatedPosition_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<float>("alpha");
        QTest::newRow("opaque end") << 0 << 1.0f;
        QTest::newRow("1") << 1 << 0.99f;
        QTest::newRow("30") << 30 << 0.7f;
        QTest::newRow("57") << 57 << 0.43f;
        QTest::newRow("99") << 99 << 0.01f;
        QTest::newRow("invisible end") << 100 << 0.0f;
    }

    void sliderSetsAlphaAndReopeningShowsTheTruncatedPosition()
    {
        QFETCH(int, position);
        QFETCH(float, alpha);
        preferences->windowAlphaUsed = true;
        {
            winPreferences window(*preferences);
            auto *slider = control<QSlider>(window, "sliWindowTransparency");
            slider->setValue(position == 0 ? 1 : 0); // move away first so the value changes
            QSignalSpy changes(&window, &winPreferences::transparencyChanged);
            slider->setValue(position);
            QCOMPARE(changes.count(), 1);
            QCOMPARE(preferences->windowAlpha, alpha);
        }
        winPreferences reopened(*preferences);
        QCOMPARE(control<QSlider>(reopened, "sliWindowTransparency")->value(), truncatedPosition(alpha));
    }

    void damagedAlphaShowsAtAnEnd_data()
    {
        QTest::addColumn<float>("alpha");
        QTest::addColumn<int>("position");
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0;
        QTest::newRow("above 1") << 5.0f << 0;
        QTest::newRow("below 0") << -3.0f << 100;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 0;
    }

    void damagedAlphaShowsAtAnEnd()
    {
        QFETCH(float, alpha);
        QFETCH(int, position);
        preferences->windowAlpha = alpha;
        winPreferences window(*preferences);
        QCOMPARE(control<QSlider>(window, "sliWindowTransparency")->value(), position);
    }

    void checkBoxesChangeOnlyTheirSetting()
    {
        winPreferences window(*preferences);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changes(&window, &winPreferences::transparencyChanged);
        auto *results = control<QCheckBox>(window, "chkSpeakResults");
        auto *keypresses = control<QCheckBox>(window, "chkSpeakKeypresses");

        QTest::mouseClick(results, Qt::LeftButton, {}, QPoint(8, results->height() / 2));
        QVERIFY(preferences->speakResults);
        QVERIFY(!preferences->speakEverythingElse);
        QTest::mouseClick(keypresses, Qt::LeftButton, {}, QPoint(8, keypresses->height() / 2));
        QVERIFY(preferences->speakEverythingElse);
        QTest::mouseClick(results, Qt::LeftButton, {}, QPoint(8, results->height() / 2));
        QVERIFY(!preferences->speakResults);
        QVERIFY(preferences->speakEverythingElse);
        QCOMPARE(changes.count(), 0);
        QVERIFY(!preferences->windowAlphaUsed);
        QCOMPARE(preferences->windowAlpha, 1.0f);
    }

    void oneSharedWindowAtATime()
    {
        winPreferences *first = winPreferences::SharedInstance(*preferences);
        QVERIFY(first);
        first->show();
        QCOMPARE(winPreferences::SharedInstance(*preferences), first);

        QPointer<winPreferences> closed(first);
        QVERIFY(first->FileCloseCalculator_Action());
        QVERIFY(!first->isVisible());
        // Once closed, asking again gives a new window that reads the record.
        preferences->speakResults = true;
        winPreferences *second = winPreferences::SharedInstance(*preferences);
        QVERIFY(second != first);
        QVERIFY(control<QCheckBox>(*second, "chkSpeakResults")->isChecked());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QCOMPARE(winPreferences::SharedInstance(*preferences), second);
    }

    void windowAlphaSetsTheWindowOpacity_data()
    {
        QTest::addColumn<float>("alpha");
        QTest::addColumn<double>("opacity");
        QTest::newRow("opaque") << 1.0f << 1.0;
        QTest::newRow("half") << 0.5f << 0.5;
        QTest::newRow("invisible") << 0.0f << 0.0;
        QTest::newRow("above range") << 1.5f << 1.0;
        QTest::newRow("below range") << -0.5f << 0.0;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 1.0;
    }

    void windowAlphaSetsTheWindowOpacity()
    {
        QFETCH(float, alpha);
        QFETCH(double, opacity);
        QWidget window;
        window.setWindowOpacity(0.25);
        WindowCandy::SetWindowAlpha(&window, alpha);
        // The window system keeps opacity in steps of 1/255.
        QVERIFY2(std::abs(window.windowOpacity() - opacity) <= 1.0 / 255,
            qPrintable(QString::number(window.windowOpacity())));
    }
};

QTEST_MAIN(TestWinPreferences)
#include "tst_winpreferences.moc"
