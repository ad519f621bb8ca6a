// Kalvex: reads Turbomole files into one molecule and writes it as a Molden input file.
#include "driver/KalvexDriver.h"

int main(int argc, char** argv) { return RunKalvex(argc, argv); }
