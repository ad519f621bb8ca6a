// An aoforce output read after an optional coordinate file: "[coord #@@] aoforce".
#include "bench/fuzz/FuzzSupport.h"
#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "utilities/CustExcept.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    std::vector<std::string> files = SplitFiles(data, size, 2);
    if (files[1].empty()) files[0].swap(files[1]);
    UQGeometryData geom;
    try {
        if (!files[0].empty()) {
            MemoryFile coord((const uint8_t*)files[0].data(), files[0].size());
            UTurboFilter(coord.Stream()).ReadGeometry(&geom);
        }
        MemoryFile aoforce((const uint8_t*)files[1].data(), files[1].size());
        UTurboFilter(aoforce.Stream()).ReadVibrations(&geom);
    } catch (CustomException&) {
    }
    return 0;
}
