#pragma once
// The converter's entry points, for the program and for code that runs a conversion in process.
#include "utilities/UError.h"

// The reporter of the driver's errors, holding the usage text; its Error and Usage end the
// process with status 1.
extern UError error;

// One conversion as the command line asks for it: the options parsed, the input files read in
// their fixed order into one molecule, and the Molden file written; "Kalvex exits..." on
// standard output at the end. The driver's own errors (options, files that cannot be opened)
// go to error, which ends the process; every other failure propagates as an exception.
void ConvertFiles(int argc, char** argv);

// The whole program: the libraries' initialisers, ConvertFiles, and every exception reported
// through error (status 1). Returns 0 when the conversion succeeded.
int RunKalvex(int argc, char** argv);
