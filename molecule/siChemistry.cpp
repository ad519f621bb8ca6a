#include "molecule/siChemistry.h"

#include "molecule/UStrChem.h"

void InitChemistry() { AddStringsToTable(ChemistryStringTable); }
