#pragma once
#include "utilities/UStrLoad.h"

// The chemistry library's messages: script vocabulary, library and reader errors.
extern StringTableEntry ChemistryStringTable[];
