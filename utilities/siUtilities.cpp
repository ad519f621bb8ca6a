#include "utilities/siUtilities.h"

#include "utilities/UDebug.h"
#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

void InitUtilities()
{
    AddStringsToTable(UtililityStringTable);
    // The log stores itself in Debug and lives until the process ends.
    if (!Debug) new UDebug;
}
