// SPDX-License-Identifier: GPL-3.0-or-later
// What the widget tests of the calculator window share: preferences in a
// temporary folder, a speaker that records what is said, unit tables, and
// the window under test with its controls found by name.
#pragma once

#include "app/preferences.h"
#include "conversion/unittables.h"
#include "engine/calculatorstate.h"
#include "tools/recordingspeaker.h"
#include "window/winnormalcalculator.h"

#include <QAbstractButton>
#include <QTemporaryDir>

#include <memory>

class CalculatorWindowFixture
{
protected:
    QTemporaryDir dir;
    std::unique_ptr<Preferences> preferences;
    RecordingSpeaker speaker;
    UnitTables unitTables;
    std::unique_ptr<winNormalCalculator> window;

    // Fresh preferences, read from (and written to) the temporary folder.
    void makePreferences()
    {
        preferences = std::make_unique<Preferences>(dir.filePath(QStringLiteral("Zorvane Preferences")));
    }

    std::unique_ptr<winNormalCalculator> newWindow()
    {
        auto made = std::make_unique<winNormalCalculator>(*preferences, speaker, unitTables);
        made->show();
        return made;
    }

    // The control of that name in the window under test, or in another one;
    // a missing control ends the test run, as no test can go on without it.
    template <class T = QWidget> T *control(const QString &name, winNormalCalculator *in = nullptr)
    {
        T *found = (in ? in : window.get())->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    const CalculatorState &state() const { return window->engine().State(); }

    // The mode buttons shown pressed, by name.
    QStringList pressedModeButtons(winNormalCalculator *in = nullptr)
    {
        QStringList pressed;
        for (QAbstractButton *button : (in ? in : window.get())->findChildren<QAbstractButton *>())
            if (button->objectName().startsWith(QStringLiteral("bevMode")) && button->isChecked())
                pressed.append(button->objectName());
        return pressed;
    }
};
