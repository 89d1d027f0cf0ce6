// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/constantstable.h"

namespace {

// Physical constants are in SI units (CODATA 2002 values). The value of Brun's
// constant for twin primes keeps its digit groups apart; it reads as 1.90216.
constexpr ConstantsTable::Row rows[] = {
    { u"π", u"Pi", u"3.14159265358979323846264338327950288", u"" },
    { u"e", u"Base of Natural logarithms", u"2.71828182845904523536028747135266249", u"" },
    { u"√2", u"Square root of two", u"1.41421356237309504880168872420969807", u"" },
    { u"√3", u"Square root of three", u"1.732050807568877293527446341505", u"" },
    { u"", u"Euler-Mascheroni constant", u"0.57721566490153286060651209008240243",
        u"EulerMascheroniconstant" },
    { u"", u"Golden ratio", u"1.61803398874989484820458683436563811", u"Goldenratio" },
    { u"", u"Embree-Trefethen constant", u"0.70258", u"EmbreeTrefethenconstant" },
    { u"", u"Feigenbaum constant (chaos)", u"4.66920160910299067185320382046620161", u"Feigenbaumconstantd" },
    { u"", u"Feigenbaum constant (tines)", u"2.50290787509589282228390287321821578", u"Feigenbaumconstanta" },
    { u"", u"Twin prime constant", u"0.66016181584686957392781211001455577", u"Twinprimeconstant" },
    { u"", u"Meissel-Mertens constant", u"0.26149721284764278375542683860869585", u"MeisselMertensconstant" },
    { u"", u"Brun's constant for twin prime", u"1.90216 05823", u"Brunsconsfortwinprime" },
    { u"", u"Brun's constant for prime quadruplets", u"0.8705883800", u"Brunsconsforprimequad" },
    { u"", u"de Bruijn-Newman constant", u"-2.7e-9", u"deBruijnNewmanconstant" },
    { u"K", u"Catalan's constant", u"0.91596559417721901505460351493238411", u"" },
    { u"K", u"Landau-Ramanujan constant", u"0.76422365358922066", u"" },
    { u"K", u"Viswanath's constant", u"1.13198824", u"" },
    { u"", u"Legendre's constant", u"1.08366", u"Legendresconstant" },
    { u"µ", u"Ramanujan-Soldner constant", u"1.451369234883381050283968485892027", u"" },
    { u"", u"Erdös-Borwein constant", u"1.606695152415291763", u"ErdösBorweinconstant" },
    { u"F", u"Fransén-Robinson constant", u"2.8077702420", u"" },
    { u"", u"Characteristic impedance of vacuum", u"376.730313461", u"CharacteristicImpedOfVac" },
    { u"", u"Permittivity of vacuum (electric constant)", u"8.854187817e-12", u"ElectricConstant" },
    { u"", u"Permeability of vacuum (magnetic constant)", u"1.2566370614e-6", u"MagneticConstant" },
    { u"G", u"Newtonian constant of gravitation", u"6.6742e-11", u"" },
    { u"h", u"Planck's constant", u"6.6260693e-34", u"" },
    { u"", u"Planck length", u"1.61624e-35", u"PlankLength" },
    { u"", u"Planck mass", u"2.17645e-8", u"PlankMass" },
    { u"", u"Planck temperature", u"1.41679e32", u"PlankTemperature" },
    { u"", u"Planck time", u"5.39121e-44", u"PlankTime" },
    { u"c", u"Speed of light in vacuum", u"299792458", u"" },
    { u"", u"Bohr magneton", u"927.400949e-26", u"BohrMagneton" },
    { u"", u"Conductance quantum", u"7.748091733e-5", u"ConductanceQuantum" },
    { u"e", u"Elementary charge (electron charge)", u"1.60217653e-19", u"" },
    { u"", u"Josephson constant", u"483597.879e9", u"JosephsonConstant" },
    { u"", u"Nuclear magneton", u"5.05078343e-27", u"NuclearMagneton" },
    { u"", u"Resistance quantum", u"12906.403725", u"ResistanceQuantum" },
    { u"", u"von Klitzing constant", u"25812.807449", u"vonKlitzingConstant" },
    { u"", u"Bohr radius", u"0.5291772108e-10", u"BohrRadius" },
    { u"", u"Magnetic moment of the deuteron", u"0.433073482e-26", u"MagneticMomentOfDeuteron" },
    { u"", u"Rest mass of the deuteron", u"3.34358335e-27", u"RestMassOfDeuteron" },
    { u"", u"Classical radius of the electron", u"2.817940325e-15", u"ClassicalRadiusOfElectron" },
    { u"", u"Magnetic moment of the electron", u"-928.476412e-26", u"MagneticMomentOfElectron" },
    { u"", u"Rest mass of an electron", u"9.1093826e-31", u"RestMassOfElectron" },
    { u"a", u"Fine-structure constant", u"7.297352568e-3", u"" },
    { u"", u"Proton g factor", u"5.585694701", u"ProtonGFactor" },
    { u"", u"Magnetic moment of the proton", u"1.41060671e-26", u"MagneticMomentOfProton" },
    { u"", u"Rest mass of the proton", u"1.67262171e-27", u"RestMassOfProton" },
    { u"", u"Rydberg constant", u"10973731.568525", u"RydbergConstant" },
    { u"", u"Atomic mass constant", u"1.66053886e-27", u"AtomicMassConstant" },
    { u"L", u"Avogadro's number", u"6.0221415e23", u"" },
    { u"k", u"Boltzmann constant", u"1.3806505e-23", u"" },
    { u"F", u"Faraday constant", u"96485.3383", u"" },
    { u"", u"First radiation constant", u"3.74177138e-16", u"FirstRadiationConstant" },
    { u"", u"Loschmidt constant", u"2.6867773e25", u"LoschmidtConstant" },
    { u"R", u"Molar gas constant", u"8.314472", u"" },
    { u"", u"Second radiation constant", u"1.4387752e-2", u"SecondRadiationConstant" },
    { u"b", u"Wien displacement law constant", u"2.8977685e-3", u"" },
    { u"", u"Earth's gravity", u"9.81", u"EarthGravity" },
    { u"atm", u"Standard atmosphere", u"101325", u"" },
};

} // namespace

std::span<const ConstantsTable::Row> ConstantsTable::Rows()
{
    return rows;
}

QStringView ConstantsTable::PictureFor(QStringView description)
{
    for (const Row &row : rows) {
        if (!row.picture.isEmpty() && row.description.compare(description, Qt::CaseInsensitive) == 0)
            return row.picture;
    }
    return {};
}
