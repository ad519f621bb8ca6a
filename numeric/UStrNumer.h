#pragma once
#include "utilities/UStrLoad.h"

// The numeric library's messages, codes 23001 to 23023.
extern StringTableEntry NumerStringTable[];

// Codes of the numeric library's messages. The numbers are what the program
// prints; they never change.
enum NumerMessage : int32_t {
    nmIllegalParameter = 23001,
    nmIllegalOptions = 23002,
    nmProgressCount = 23003,
    nmIncrementNotOne = 23004,
    nmIterationLimit = 23005,
    nmWorkspaceTooSmall = 23006,
    nmOutOfMemory = 23007,
    nmResultVectorMissing = 23008,
    nmResultMatrixNotResizable = 23009,
    nmResultVectorNotNeeded = 23010,
    nmResultStorageConflict = 23011,
    nmResultMatrixMissing = 23012,
    nmSingularMatrix = 23013,
    nmConvergenceFailure = 23014,
    nmNoWorkspace = 23015,
    nmZeroDenominator = 23016,
    nmIllegalBandMatrix = 23017,
    nmRankNotDetermined = 23018,
    nmTlsNoiseZero = 23019,
    nmSortElementSize = 23020,
    nmIncompleteInit = 23021,
    nmInternalGroupError = 23022,
    nmMatrixOverlap = 23023,
};
