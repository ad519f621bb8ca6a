// Ideal-gas, rigid-rotor, harmonic-oscillator thermochemistry from the stored frequencies, the
// masses and the principal moments of inertia.
#include <cmath>
#include <cstdio>
#include <vector>

#include "molecule/MassCheck.h"
#include "molecule/PhysConst.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "UQGeom";

// The constants of the thermochemistry, as one consistent set with the atomic mass unit.
double const kAmuBohr2 = 4.6499867872346373e-48;  // kg m^2 per amu bohr^2
double const kJoulePerWavenumber = 11.963;        // J/mol per cm-1
double const kGas = 8.3145112119486;              // R, J/(mol K)
double const kGas3Halves = 12.471766817922902;    // 1.5 R
double const kGasHalf = 4.1572556059743;          // R/2
double const kBoltzmann = 1.380658e-23;           // J/K
double const kTwoPi = 6.283185307179586;
double const kAvogadroPlanck3 = 1.7519421032486752e-76;  // N_A h^3
double const kEightPi2Boltzmann = 1.0901238618559386e-21;
double const kPlanck2 = 4.390487653170025e-67;  // h^2
double const kAtmosphere = 101325.0;            // Pa

double const kLowestTemperature = 0.001;

// Each retained vibration's energy quantum for the three uses, J/mol.
struct VibrationQuanta {
    std::vector<double> zeroPoint;
    std::vector<double> energy;
    std::vector<double> entropy;
};

double Sum(std::vector<double> const& values)
{
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum;
}

double TotalMass(UVector<UQAtomData> const& atoms)
{
    double total = 0.0;
    for (long a = 0; a < atoms.GetDim(); a++) total += atoms[a].GetMass();
    return total;
}

}  // namespace

double expfun1(double x) { return x <= 100.0 ? 1.0 / (std::exp(x) - 1.0) : 0.0; }

double expfun2(double x) { return x <= 100.0 ? std::exp(x) / (std::exp(x) - 1.0) : 1.0; }

double UQGeometryData::ModifyFrequency(long i, double nu, double floor, bool quiet) const
{
    if (nu > floor + 1.0) return nu;
    double modified = floor + std::exp(nu - floor - 1.0);
    if (!quiet)
        std::printf("Warning: vibration %1d changed from %3.2lf to %3.2lf cm-1\n",
                    static_cast<int>(i + 1), nu, modified);
    return modified;
}

void UQGeometryData::AnalyzeThermo(MolThermoInfo& info, bool quiet) const
{
    // The translational entropy takes the logarithm of the total mass and the shape analysis
    // divides by it; no atoms give 0. An atom without mass beside others is fine.
    if (!IsUsableMass(TotalMass(atoms))) RaiseError(cmMissingData, sourceName, __LINE__);
    MolShapeInfo shape;
    AnalyzeShape(shape, true, true, true);
    double mass = shape.totalMass * kAtomicMassUnit;

    VibrationQuanta quanta;
    UVector<double> frequencies = GetFrequencies();
    for (long i = 0; i < frequencies.GetDim(); i++) {
        double nu = frequencies[i];
        if (nu > 1.0) {
            double used = ModifyFrequency(i, nu, info.frequencyFloor, quiet);
            quanta.zeroPoint.push_back(info.zpeScale * kJoulePerWavenumber * used);
            quanta.energy.push_back(info.energyScale * kJoulePerWavenumber * used);
            quanta.entropy.push_back(info.entropyScale * kJoulePerWavenumber * used);
        } else if (nu != 0.0 && !quiet) {
            std::printf("Warning: vibration %1d (%3.2lf cm-1) excluded from analysis\n",
                        static_cast<int>(i + 1), nu);
        }
    }

    double t = info.temperature;
    if (t < kLowestTemperature) {
        t = kLowestTemperature;
        if (!quiet) std::printf("Warning: T too small - set to %5.3lf\n", kLowestTemperature);
    }
    double p = info.pressure * kAtmosphere;
    double rt = kGas * t;

    info.zeroPointEnergy = 0.5 * Sum(quanta.zeroPoint);
    info.translationalEnergy = kGas3Halves * t;
    info.rotationalEnergy = shape.rotationalDim * 0.5 * kGas * t;
    info.vibrationalEnergy = 0.0;
    for (double e : quanta.energy) info.vibrationalEnergy += e * expfun1(e / rt);
    info.rtTerm = rt;

    info.translationalEntropy = kGas * (2.5 + 1.5 * std::log(kTwoPi * mass * kBoltzmann * t) +
                                        std::log(rt / (p * kAvogadroPlanck3)));

    // In floating point: 1/sigma^2 as an integer quotient would be 0 for any sigma above 1.
    double sigma2 =
        static_cast<double>(info.symmetryNumber) * static_cast<double>(info.symmetryNumber);
    double rotationalSum = std::log(shape.hasZeroMoment ? 1.0 / sigma2 : kPi / sigma2);
    for (long r = 0; r < shape.rotationalDim; r++) {
        double moment = shape.moments[2 - r] * kAmuBohr2;
        rotationalSum += 1.0 + std::log(kEightPi2Boltzmann * t * moment / kPlanck2);
    }
    info.rotationalEntropy = kGasHalf * rotationalSum;

    info.vibrationalEntropy = 0.0;
    for (size_t m = 0; m < quanta.energy.size(); m++) {
        double x = quanta.energy[m] / rt;
        info.vibrationalEntropy += quanta.entropy[m] / t * expfun1(x) + kGas * std::log(expfun2(x));
    }
    info.electronicEntropy = std::log(static_cast<double>(info.degeneracy));
}
