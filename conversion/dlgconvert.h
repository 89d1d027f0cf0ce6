// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "conversion/unitclass.h"

#include <QDialog>
#include <QPointer>

class CalculatorEngine;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UnitTables;

// The "Convert" dialog: converts a value from one unit to another within one
// class of quantity and can enter the result into the calculator that opened
// it. The application shows at most one; every calculator window opens the
// same one with ShowFor, which re-targets it at that calculator. The result
// is recomputed whenever the value, the class, either unit or the filter
// changes. Closing the dialog deletes it; the next opening starts afresh.
class dlgConvert : public QDialog
{
    Q_OBJECT

public:
    // tables supplies the units shown and must outlive the dialog.
    explicit dlgConvert(const UnitTables &tables, QWidget *parent = nullptr);

    // The open conversion dialog, or nullptr when none is open.
    static dlgConvert *OpenInstance();

    // The conversion button of a calculator window: shows the dialog (made
    // now if none is open) in front, puts the calculator's current number
    // into txtSource in its expression form and makes the calculator the
    // one that "Use" enters the result into. calculatorWindow is the object
    // whose destruction ends calculator (its window): from then on "Use" is
    // disabled instead of reaching a calculator that is gone. An open
    // dialog keeps its class, units and filter.
    static dlgConvert *ShowFor(
        CalculatorEngine &calculator, QObject &calculatorWindow, const UnitTables &tables);

    // The calculator that "Use" enters into; nullptr when the dialog has
    // none, or when the calculator has been closed since it opened the
    // dialog.
    CalculatorEngine *sourceWindow() const;

    // Shows the units of tables from now on. A change of tables refills
    // the unit popups for the chosen class.
    void setUnitTables(const UnitTables &tables);

    // Refills both unit popups for the chosen class and converts.
    void changeUnitClass();

    // The refill method of each class: fills both unit popups from that
    // class's list and selects its SI unit in both.
    void GrowAccelerationList();
    void GrowAngleList();
    void GrowAreaList();
    void GrowDensityList();
    void GrowDistanceList();
    void GrowEnergyList();
    void GrowForceList();
    void GrowFrequencyList();
    void GrowMassList();
    void GrowPowerList();
    void GrowPressureList();
    void GrowRadiationAbsorbedDoseList();
    void GrowSpeedList();
    void GrowTemperatureList();
    void GrowTimeList();
    void GrowTorqueList();
    void GrowVolumeList();

    // Converts the value in txtSource from the source unit to the result
    // unit and shows it in txtResult. Without a class, or without a unit
    // of the class in either popup, there is nothing to convert and the
    // result is 0.
    void DoConvert();

    // x as txtResult shows it: grouped fixed point with one to five
    // fraction digits for 10^-3 < |x| < 10^12, scientific form with up to
    // thirteen fraction digits otherwise (zero, infinities and NaN
    // included).
    static QString GetNiceString(double x);

    // The number that a text of txtSource or txtResult stands for: the
    // value of a literal in the scientific form that the calculator writes
    // ("2.5e+0", "-1.0e-3"), whose "." is a decimal point in every locale;
    // the infinity or NaN for the calculator's "INF", "-INF" and "NAN";
    // otherwise the leading number in the user's locale, grouping
    // separators included, or 0 when there is none.
    static double ValueOfText(const QString &text);

private:
    // Fills both unit popups from unitClass's list; the one refill routine
    // behind the seventeen refill methods.
    void GrowList(UnitClass unitClass);
    void setSourceWindow(CalculatorEngine &calculator, QObject &calculatorWindow);
    void forgetSourceWindow();

    void popUnitClass_Open();
    void popUnitClass_Change();
    void cmdUse_Action();

    const UnitTables *unitTables;

    // True while the unit popups are being refilled: DoConvert then does
    // nothing, as the popups' change events fire for every row selected.
    bool currentlyExecutingChanges = false;

    // The calculator that last opened the dialog, valid while the object
    // that owns it lives.
    CalculatorEngine *sourceCalculator = nullptr;
    QPointer<QObject> sourceOwner;
    QMetaObject::Connection sourceOwnerDestroyed;

    QLineEdit *txtSource;
    QComboBox *popUnitClass;
    QLabel *lblPleaseSelectUnitType;
    QComboBox *popSourceUnit;
    QComboBox *popResultUnit;
    QRadioButton *radShowOnlyCommon;
    QRadioButton *radShowAll;
    QLineEdit *txtResult;
    QPushButton *cmdUse;
    QPushButton *cmdClose;
};
