#include "numeric/siNumer.h"

#include "numeric/UStrNumer.h"

void InitNumer() { AddStringsToTable(NumerStringTable); }
