// An orbital file read after a basis and a control file:
// "basis #@@ control #@@ mos [#@@ betas]".
#include "bench/fuzz/FuzzSupport.h"
#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "utilities/CustExcept.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    std::vector<std::string> files = SplitFiles(data, size, 4);
    UQGeometryData geom;
    try {
        for (size_t i = 0; i < files.size(); ++i) {
            if (i == 3 && files[i].empty()) break;
            MemoryFile file((const uint8_t*)files[i].data(), files[i].size());
            UTurboFilter filter(file.Stream());
            if (i == 1)
                filter.ReadControl(&geom);
            else
                filter.ReadGeometry(&geom);
        }
    } catch (CustomException&) {
    }
    return 0;
}
