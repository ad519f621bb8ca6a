#pragma once
// The operation-cost model behind the progress monitor: how each LAPACK
// routine's work is spread over its outer loop, operation counts of the
// drivers, and the machine's measured cost per operation.
#include "numeric/BlasTiming.h"

namespace Blas {

// Rows of the cost table ss.
enum LaNames {
    laDBDSQR = 0,
    laDGEBD2 = 1,
    laDGEBRD = 2,
    laDGEEV = 3,
    laDGEHD2 = 4,
    laDGEHRD = 5,
    laDGELQ2 = 6,
    laDGELQF = 7,
    laDGELS = 8,
    laDGELSS = 9,
    laDGEMM = 10,
    laDGEQL2 = 11,
    laDGEQLF = 12,
    laDGEQR2 = 13,
    laDGEQRF = 14,
    laDGESV = 15,
    laDGESVD = 16,
    laDGETF2 = 17,
    laDGETRF = 18,
    laDHSEQR = 19,
    laDLABRD = 20,
    laDLAHQR = 21,
    laDLAHRD = 22,
    laDLARFB = 23,
    laDLATRD = 24,
    laDORG2L = 25,
    laDORG2R = 26,
    laDORGBR = 27,
    laDORGLQ = 28,
    laDORGQL = 29,
    laDORGQR = 30,
    laDORM2R = 31,
    laDORML2 = 32,
    laDORMLQ = 33,
    laDORMQR = 34,
    laDSTEQR = 35,
    laDSYEV = 36,
    laDSYR2K = 37,
    laDSYTRD = 38,
    laDSYTD2 = 39,
    laDTREVC = 40,
    laDTRMM = 41,
    laDTRSM = 42,
    laZBDSQR = 43,
    laZGEBD2 = 44,
    laZGEBRD = 45,
    laZGEEV = 46,
    laZGEHD2 = 47,
    laZGEHRD = 48,
    laZGELQ2 = 49,
    laZGELQF = 50,
    laZGELS = 51,
    laZGELSS = 52,
    laZGEMM = 53,
    laZGEQL2 = 54,
    laZGEQLF = 55,
    laZGEQR2 = 56,
    laZGEQRF = 57,
    laZGESV = 58,
    laZGESVD = 59,
    laZGETF2 = 60,
    laZGETRF = 61,
    laZHEEV = 62,
    laZHER2K = 63,
    laZHETD2 = 64,
    laZHETRD = 65,
    laZHSEQR = 66,
    laZLABRD = 67,
    laZLAHQR = 68,
    laZLAHRD = 69,
    laZLARFB = 70,
    laZLATRD = 71,
    laZSTEQR = 72,
    laZTREVC = 73,
    laZTRMM = 74,
    laZTRSM = 75,
    laZUNG2L = 76,
    laZUNG2R = 77,
    laZUNGBR = 78,
    laZUNGLQ = 79,
    laZUNGQL = 80,
    laZUNGQR = 81,
    laZUNM2R = 82,
    laZUNML2 = 83,
    laZUNMLQ = 84,
    laZUNMQR = 85,
    laLAFFT = 86,
    laDGETLS = 87,
    laZGETLS = 88,
    laLAROOT = 89,
    laUnknown = 90  // closing row: the name is not in the table
};

struct CostEntry {
    char const* LaName;  // LAPACK name
    char const* Id;      // the library routine that follows it
    ProgressType Type;
    double Factor;
};

extern CostEntry const ss[91];

LaNames CostIndex(char const* name);
void ChangeDefaults(LaNames row, ProgressType& type, double& factor, short opt, long& m, long& n,
                    long& k);
double OpCount(char const* name, short opt, long m, long n, long k, long l);
// Milliseconds per operation, measured once by timing LU factorisations
// until one takes longer than minTicks.
double Cost(long minTicks);
double newRand();

// Platform stand-ins: no priorities and no background processes here.
unsigned short GetCurrentProcess();
long GetPriorityClass(unsigned short process);
unsigned short GetCurrentThread();
long GetThreadPriority(unsigned short thread);
bool IsFrontProcess();

}  // namespace Blas
