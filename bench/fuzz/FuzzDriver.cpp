// The whole driver on a set of files, "#@@" lines between them in the order
// coord, energy, grad, hessian, aoforce, basis, control, mos, betas; an empty
// piece leaves its option out. The Molden file goes into a folder of the target's own, so that
// nothing the driver does to its output can reach a file of the machine's.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "driver/KalvexDriver.h"
#include "utilities/CustExcept.h"

namespace {

std::string outputFolder;

void RemoveOutputFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(outputFolder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzInit();
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvex-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    outputFolder = pattern;
    std::atexit(RemoveOutputFolder);
    // The driver reports success on standard output.
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* options[] = {"-ic", "-ie", "-ig", "-ih",  "-ia",
                                    "-ba", "-bc", "-bo", nullptr};
    std::vector<std::string> pieces = SplitFiles(data, size, 9);
    // The driver stops on these before reading anything; nothing to fuzz there.
    bool basisGroup = !pieces[5].empty() || !pieces[6].empty() || !pieces[7].empty();
    if (basisGroup && (pieces[5].empty() || pieces[6].empty() || pieces[7].empty())) return 0;
    std::vector<std::unique_ptr<MemoryFile>> files;
    std::vector<std::string> args = {"Kalvex"};
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty() || (i == 8 && pieces[7].empty())) continue;
        files.push_back(
            std::make_unique<MemoryFile>((const uint8_t*)pieces[i].data(), pieces[i].size()));
        if (options[i]) args.push_back(options[i]);
        args.push_back(files.back()->Path());
    }
    if (files.empty()) return 0;
    args.push_back("-o");
    args.push_back(outputFolder + "/out.molden");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    try {
        ConvertFiles((int)args.size(), argv.data());
    } catch (Exception&) {
    }
    return 0;
}
