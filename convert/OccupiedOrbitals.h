#pragma once
// The occupations of the control file against the orbitals of the orbital files.
class UQGeometryData;

// Every orbital set with coefficients must have them for each orbital it occupies: raises
// 25010 when an occupation that is not zero falls on an orbital without coefficients.
void RequireOccupiedOrbitals(const UQGeometryData* geom);
