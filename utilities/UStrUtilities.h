#pragma once
#include "utilities/UStrLoad.h"

// The foundation utilities' messages (the symbol keeps its historic spelling).
extern StringTableEntry UtililityStringTable[];
