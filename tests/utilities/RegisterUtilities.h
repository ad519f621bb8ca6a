#pragma once
// The registry is process-wide: the utilities table goes in once per process,
// whichever test asks first.
#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

inline void RegisterUtilities()
{
    if (!LoadStringFromTable(21003)) AddStringsToTable(UtililityStringTable);
}
