#pragma once
// The occupations of the control file against the orbitals of the orbital files.
class UQGeometryData;

// Every orbital set with coefficients must have them for each orbital it occupies: raises
// 25010 when an occupation that is not zero falls on an orbital without coefficients.
void RequireOccupiedOrbitals(const UQGeometryData* geom);

// A conversion of orbitals must give the orbitals it writes electrons (25010 otherwise): the
// occupations of the other kind (a restricted orbital file beside alpha and beta occupations, or
// the reverse), or none at all, would leave every written orbital empty.
void RequireOccupiedWrittenOrbitals(const UQGeometryData* geom);
