#pragma once
// Ideal-gas, rigid-rotor, harmonic-oscillator thermochemistry: what the caller
// gives and what the analysis returns.

// The caller fills the inputs; AnalyzeThermo fills the outputs.
struct MolThermoInfo {
    double temperature;     // K
    double pressure;        // atm
    double zpeScale;        // factor on each frequency for the zero-point energy
    double energyScale;     // for the thermal vibrational energy and entropy exponent
    double entropyScale;    // for the prefactor of the vibrational entropy
    double frequencyFloor;  // cm-1, see ModifyFrequency
    long symmetryNumber;
    long degeneracy;              // electronic
    double zeroPointEnergy;       // J/mol
    double translationalEnergy;   // J/mol
    double rotationalEnergy;      // J/mol
    double vibrationalEnergy;     // J/mol, thermal part above the zero point
    double rtTerm;                // R T, J/mol
    double translationalEntropy;  // J/(mol K)
    double rotationalEntropy;     // J/(mol K)
    double vibrationalEntropy;    // J/(mol K)
    double electronicEntropy;     // ln g, without R
};

// 1/(exp(x) - 1), and 0 beyond x = 100.
double expfun1(double x);
// exp(x)/(exp(x) - 1), and 1 beyond x = 100.
double expfun2(double x);
