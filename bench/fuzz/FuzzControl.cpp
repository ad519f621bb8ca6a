// A control file read after a basis file: "basis #@@ control".
#include "bench/fuzz/FuzzSupport.h"
#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "utilities/CustExcept.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    std::vector<std::string> files = SplitFiles(data, size, 2);
    MemoryFile basis((const uint8_t*)files[0].data(), files[0].size());
    MemoryFile control((const uint8_t*)files[1].data(), files[1].size());
    UQGeometryData geom;
    try {
        UTurboFilter(basis.Stream()).ReadGeometry(&geom);
        UTurboFilter(control.Stream()).ReadControl(&geom);
    } catch (CustomException&) {
    }
    return 0;
}
