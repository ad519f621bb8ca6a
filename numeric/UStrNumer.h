#pragma once
#include "utilities/UStrLoad.h"

// The numeric library's messages, codes 23001 to 23023.
extern StringTableEntry NumerStringTable[];
