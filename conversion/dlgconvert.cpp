// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/dlgconvert.h"

#include "conversion/unittables.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "engine/localenumber.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// Positions and sizes are in logical pixels of the dialog's content.
constexpr QSize kWindowSize(340, 270);
constexpr QRect kSource(20, 34, 300, 33);
constexpr QRect kUnitClass(105, 72, 215, 20);
constexpr QRect kSourceUnit(105, 94, 215, 20);
constexpr QRect kResultUnit(105, 116, 215, 20);
constexpr QRect kShowOnlyCommon(20, 138, 144, 20);
constexpr QRect kShowAll(176, 138, 144, 20);
constexpr QRect kResult(20, 187, 300, 33);
constexpr QRect kUse(171, 230, 69, 20);
constexpr QRect kClose(250, 230, 70, 20);
constexpr int kTextSize = 12;
constexpr int kFieldTextSize = 18;

// The static texts that name the fields.
struct Caption
{
    const char *name;
    QLatin1StringView text;
    QRect geometry;
    Qt::Alignment alignment;
};

const std::array<Caption, 5> kCaptions { {
    { "StaticText1", "Convert the value:"_L1, QRect(20, 14, 120, 20), Qt::AlignLeft | Qt::AlignVCenter },
    { "StaticText2", "Which is a:"_L1, QRect(20, 72, 75, 20), Qt::AlignRight | Qt::AlignVCenter },
    { "StaticText3", "Measured in:"_L1, QRect(20, 94, 75, 20), Qt::AlignRight | Qt::AlignVCenter },
    { "StaticText4", "to:"_L1, QRect(20, 116, 75, 20), Qt::AlignRight | Qt::AlignVCenter },
    { "StaticText5", "Which gives:"_L1, QRect(20, 167, 120, 20), Qt::AlignLeft | Qt::AlignVCenter },
} };

// The fixed-point mask for results from 10^-3 to 10^12 (both exclusive),
// and the scientific one for all others.
const QString kFixedMask = u"-###,###,###,###.0####"_s;
const QString kScientificMask = u"-#.#############e+"_s;

// The refill method of each class.
using GrowMethod = void (dlgConvert::*)();
const std::array<std::pair<UnitClass, GrowMethod>, UnitClassCount> kGrowMethods { {
    { UnitClass::Acceleration, &dlgConvert::GrowAccelerationList },
    { UnitClass::Angle, &dlgConvert::GrowAngleList },
    { UnitClass::Area, &dlgConvert::GrowAreaList },
    { UnitClass::Density, &dlgConvert::GrowDensityList },
    { UnitClass::Distance, &dlgConvert::GrowDistanceList },
    { UnitClass::Energy, &dlgConvert::GrowEnergyList },
    { UnitClass::Force, &dlgConvert::GrowForceList },
    { UnitClass::Frequency, &dlgConvert::GrowFrequencyList },
    { UnitClass::WeightAndMass, &dlgConvert::GrowMassList },
    { UnitClass::Power, &dlgConvert::GrowPowerList },
    { UnitClass::Pressure, &dlgConvert::GrowPressureList },
    { UnitClass::RadiationAbsorbedDose, &dlgConvert::GrowRadiationAbsorbedDoseList },
    { UnitClass::Speed, &dlgConvert::GrowSpeedList },
    { UnitClass::Temperature, &dlgConvert::GrowTemperatureList },
    { UnitClass::Time, &dlgConvert::GrowTimeList },
    { UnitClass::Torque, &dlgConvert::GrowTorqueList },
    { UnitClass::Volume, &dlgConvert::GrowVolumeList },
} };

// A caption that the font makes wider than designed grows away from the
// field it names (a right-aligned one to the left), up to a narrow margin
// at the window's edge, so that its whole text shows.
QRect fitCaption(const QLabel &label, QRect geometry)
{
    constexpr int edgeMargin = 4;
    const int needed = label.sizeHint().width();
    if (needed <= geometry.width())
        return geometry;
    if (label.alignment() & Qt::AlignRight)
        geometry.setLeft(std::max(edgeMargin, geometry.right() + 1 - needed));
    else
        geometry.setWidth(std::min(needed, kWindowSize.width() - edgeMargin - geometry.left()));
    return geometry;
}

template <class Control> Control *named(Control *control, const char *name, const QRect &geometry)
{
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(geometry);
    return control;
}

// A value field: dark text on the white background it always has, so it
// stays legible whatever palette the desktop uses.
QLineEdit *valueField(const char *name, const QRect &geometry, QWidget *parent)
{
    auto *field = named(new QLineEdit(parent), name, geometry);
    QFont font = field->font();
    font.setPixelSize(kFieldTextSize);
    field->setFont(font);
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, group == QPalette::Disabled ? Qt::darkGray : Qt::black);
    }
    field->setPalette(palette);
    return field;
}

} // namespace

dlgConvert::dlgConvert(const UnitTables &tables, QWidget *parent)
    : QDialog(parent)
    , unitTables(&tables)
{
    setObjectName(u"dlgConvert"_s);
    setWindowTitle(u"Convert"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWindowSize);
    QFont textFont = font();
    textFont.setPixelSize(kTextSize);
    setFont(textFont);

    std::array<QLabel *, kCaptions.size()> captions {};
    for (std::size_t i = 0; i < kCaptions.size(); ++i) {
        captions[i] = named(new QLabel(kCaptions[i].text, this), kCaptions[i].name, kCaptions[i].geometry);
        captions[i]->setAlignment(kCaptions[i].alignment);
        captions[i]->setGeometry(fitCaption(*captions[i], kCaptions[i].geometry));
    }

    txtSource = valueField("txtSource", kSource, this);
    popUnitClass = named(new QComboBox(this), "popUnitClass", kUnitClass);
    // Lies over the class popup until a class is chosen. Clicks pass
    // through it to the popup; its text takes the popup's text colour.
    lblPleaseSelectUnitType
        = named(new QLabel(u"Please select unit type..."_s, this), "lblPleaseSelectUnitType", kUnitClass);
    lblPleaseSelectUnitType->setAlignment(Qt::AlignCenter);
    lblPleaseSelectUnitType->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblPleaseSelectUnitType->setForegroundRole(QPalette::ButtonText);
    popSourceUnit = named(new QComboBox(this), "popSourceUnit", kSourceUnit);
    popResultUnit = named(new QComboBox(this), "popResultUnit", kResultUnit);
    radShowOnlyCommon
        = named(new QRadioButton(u"Show common units"_s, this), "radShowOnlyCommon", kShowOnlyCommon);
    radShowOnlyCommon->setChecked(true);
    radShowAll = named(new QRadioButton(u"Show all units"_s, this), "radShowAll", kShowAll);
    txtResult = valueField("txtResult", kResult, this);
    txtResult->setReadOnly(true);
    cmdUse = named(new QPushButton(u"Use"_s, this), "cmdUse", kUse);
    cmdUse->setDefault(true);
    cmdUse->setEnabled(false);
    cmdClose = named(new QPushButton(u"Close"_s, this), "cmdClose", kClose);

    // Screen readers name each field after the text beside it.
    captions[0]->setBuddy(txtSource);
    captions[1]->setBuddy(popUnitClass);
    captions[2]->setBuddy(popSourceUnit);
    captions[3]->setBuddy(popResultUnit);
    captions[4]->setBuddy(txtResult);

    popUnitClass_Open();

    // Connected only now: filling the class popup is no change of class.
    connect(popUnitClass, &QComboBox::currentIndexChanged, this, &dlgConvert::popUnitClass_Change);
    for (QRadioButton *filter : { radShowOnlyCommon, radShowAll })
        connect(filter, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                changeUnitClass();
        });
    connect(txtSource, &QLineEdit::textChanged, this, &dlgConvert::DoConvert);
    connect(popSourceUnit, &QComboBox::currentIndexChanged, this, &dlgConvert::DoConvert);
    connect(popResultUnit, &QComboBox::currentIndexChanged, this, &dlgConvert::DoConvert);
    connect(cmdUse, &QPushButton::clicked, this, &dlgConvert::cmdUse_Action);
    // Escape rejects the dialog, which closes it as "Close" does.
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    DoConvert();
}

dlgConvert *dlgConvert::OpenInstance()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (auto *open = qobject_cast<dlgConvert *>(window); open && open->isVisible())
            return open;
    return nullptr;
}

dlgConvert *dlgConvert::ShowFor(
    CalculatorEngine &calculator, QObject &calculatorWindow, const UnitTables &tables)
{
    dlgConvert *dialog = OpenInstance();
    if (dialog)
        dialog->setUnitTables(tables);
    else
        dialog = new dlgConvert(tables);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->txtSource->setText(CodeFormat(calculator.State().CurrentNumber, ExpressionMask));
    dialog->setSourceWindow(calculator, calculatorWindow);
    return dialog;
}

CalculatorEngine *dlgConvert::sourceWindow() const
{
    return sourceOwner ? sourceCalculator : nullptr;
}

void dlgConvert::setUnitTables(const UnitTables &tables)
{
    if (&tables == unitTables)
        return;
    unitTables = &tables;
    changeUnitClass();
}

void dlgConvert::setSourceWindow(CalculatorEngine &calculator, QObject &calculatorWindow)
{
    disconnect(sourceOwnerDestroyed);
    sourceCalculator = &calculator;
    sourceOwner = &calculatorWindow;
    sourceOwnerDestroyed
        = connect(&calculatorWindow, &QObject::destroyed, this, &dlgConvert::forgetSourceWindow);
    cmdUse->setEnabled(true);
}

void dlgConvert::forgetSourceWindow()
{
    disconnect(sourceOwnerDestroyed);
    sourceCalculator = nullptr;
    sourceOwner = nullptr;
    cmdUse->setEnabled(false);
}

void dlgConvert::changeUnitClass()
{
    currentlyExecutingChanges = true;
    if (const std::optional<UnitClass> unitClass = UnitClassFromText(popUnitClass->currentText())) {
        for (const auto &[growClass, grow] : kGrowMethods)
            if (growClass == *unitClass)
                (this->*grow)();
    }
    currentlyExecutingChanges = false;
    DoConvert();
}

void dlgConvert::GrowAccelerationList()
{
    GrowList(UnitClass::Acceleration);
}

void dlgConvert::GrowAngleList()
{
    GrowList(UnitClass::Angle);
}

void dlgConvert::GrowAreaList()
{
    GrowList(UnitClass::Area);
}

void dlgConvert::GrowDensityList()
{
    GrowList(UnitClass::Density);
}

void dlgConvert::GrowDistanceList()
{
    GrowList(UnitClass::Distance);
}

void dlgConvert::GrowEnergyList()
{
    GrowList(UnitClass::Energy);
}

void dlgConvert::GrowForceList()
{
    GrowList(UnitClass::Force);
}

void dlgConvert::GrowFrequencyList()
{
    GrowList(UnitClass::Frequency);
}

void dlgConvert::GrowMassList()
{
    GrowList(UnitClass::WeightAndMass);
}

void dlgConvert::GrowPowerList()
{
    GrowList(UnitClass::Power);
}

void dlgConvert::GrowPressureList()
{
    GrowList(UnitClass::Pressure);
}

void dlgConvert::GrowRadiationAbsorbedDoseList()
{
    GrowList(UnitClass::RadiationAbsorbedDose);
}

void dlgConvert::GrowSpeedList()
{
    GrowList(UnitClass::Speed);
}

void dlgConvert::GrowTemperatureList()
{
    GrowList(UnitClass::Temperature);
}

void dlgConvert::GrowTimeList()
{
    GrowList(UnitClass::Time);
}

void dlgConvert::GrowTorqueList()
{
    GrowList(UnitClass::Torque);
}

void dlgConvert::GrowVolumeList()
{
    GrowList(UnitClass::Volume);
}

void dlgConvert::GrowList(UnitClass unitClass)
{
    popSourceUnit->clear();
    popResultUnit->clear();
    // Both popups start on the SI unit: the last shown unit whose factor is
    // exactly 1. Without one they keep no selection (adding the first row
    // to an empty popup would select it).
    int siRow = -1;
    const UnitList &list = unitTables->ConversionList(unitClass);
    for (qsizetype i = 1; i < list.size(); ++i) {
        if (!list[i])
            continue;
        const Unit &unit = *list[i];
        const bool shown = (radShowOnlyCommon->isChecked() && unit.IsCommon()) || radShowAll->isChecked();
        if (!shown)
            continue;
        popSourceUnit->addItem(unit.GetName());
        popResultUnit->addItem(unit.GetName());
        if (unit.GetFactor() == 1.0)
            siRow = popSourceUnit->count() - 1;
    }
    popSourceUnit->setCurrentIndex(siRow);
    popResultUnit->setCurrentIndex(siRow);
}

void dlgConvert::DoConvert()
{
    if (currentlyExecutingChanges)
        return;
    double x = 0.0;
    if (const std::optional<UnitClass> unitClass = UnitClassFromText(popUnitClass->currentText())) {
        // A popup without a selection, or one whose text names no unit of
        // the list, leaves nothing to convert.
        const Unit *source = popSourceUnit->currentIndex() < 0
            ? nullptr
            : unitTables->FindUnit(*unitClass, popSourceUnit->currentText());
        const Unit *result = popResultUnit->currentIndex() < 0
            ? nullptr
            : unitTables->FindUnit(*unitClass, popResultUnit->currentText());
        if (source && result)
            x = source->Convert(*result, ValueOfText(txtSource->text()));
    }
    txtResult->setText(GetNiceString(x));
}

QString dlgConvert::GetNiceString(double x)
{
    const double magnitude = std::fabs(x);
    if (magnitude > std::pow(10.0, -3) && magnitude < std::pow(10.0, 12))
        return FormatWithMask(x, kFixedMask);
    return FormatWithMask(x, kScientificMask);
}

double dlgConvert::ValueOfText(const QString &text)
{
    // The scientific form that CodeFormat writes; its "." is a decimal point
    // in every locale, where LeadingNumber would read "2.5e+0" as 2 in a
    // locale that groups with ".".
    static const QRegularExpression literal(u"^-?[0-9]+(\\.[0-9]+)?[eE][-+]?[0-9]+$"_s);
    if (literal.match(text).hasMatch()) {
        const QByteArray ascii = text.toLatin1();
        return DecimalLiteralToDouble(ascii.constData(), ascii.constData() + ascii.size());
    }
    constexpr double infinity = std::numeric_limits<double>::infinity();
    for (const double special : { infinity, -infinity, std::numeric_limits<double>::quiet_NaN() })
        if (text == CodeFormat(special, ExpressionMask))
            return special;
    return LeadingNumber(text);
}

void dlgConvert::popUnitClass_Open()
{
    popUnitClass->clear();
    for (const UnitClass unitClass : UnitClassesInDialogOrder())
        popUnitClass->addItem(UnitClassInfoOf(unitClass).text);
    popUnitClass->setCurrentIndex(-1);
}

void dlgConvert::popUnitClass_Change()
{
    // The placeholder goes for good once a class is chosen, by mouse or by
    // keyboard, so that it never hides the chosen class.
    if (popUnitClass->currentIndex() != -1)
        lblPleaseSelectUnitType->hide();
    changeUnitClass();
}

void dlgConvert::cmdUse_Action()
{
    CalculatorEngine *calculator = sourceWindow();
    if (!calculator)
        return;
    // The value entered is the one shown, rounded as shown.
    calculator->EnterConstant(ValueOfText(txtResult->text()));
    close();
}
