// One Molden file read as a whole (ReadGeometry) into a molecule.
#include "bench/fuzz/FuzzSupport.h"
#include "convert/UMolden.h"
#include "molecule/UQGeom.h"
#include "utilities/CustExcept.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    MemoryFile file(data, size);
    UQGeometryData geom;
    try {
        UMoldenFilter(file.Stream()).ReadGeometry(&geom);
    } catch (CustomException&) {
    }
    return 0;
}
