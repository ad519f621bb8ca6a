#include "tests/driver/DriverFixture.h"

#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

const char* const kalvexUsage =
    "Kalvex - Convert Turbomole file(s) to Molden format\n"
    "    usage:\n"
    "  Kalvex [-ic <incoord>] [-ie <inenergy>]\n"
    "               [-ig <ingrad>] [-ih <inhess>] [-ia <aoforce>]\n"
    "               [-ba <inbasis>  -bc <control>] [-bo (<mos> | <alphas> <betas>)]\n"
    "               -o <moldeninp>\n"
    "    where:\n"
    "  <incoord>   contains coordinates in Turbomole format\n"
    "  <ingrad>    contains energy, coordinates and gradients in Turbomole format\n"
    "  <inenergy>  contains energy in Turbomole format\n"
    "  <inhess>    contains Hessian in Turbomole format\n"
    "  <aoforce>   contains an aoforce frequency output file\n"
    "  <inbasis>   contains the Turbomole basissets\n"
    "  <control>   is the Turbomole control file\n"
    "  <mos> / <alphas>,<betas> contain the orbitals\n"
    "  <moldeninp> will contain Molden input\n";

std::string ErrorReport(const std::string& message)
{
    return "\aError: " + message + "\n" + kalvexUsage;
}

ChildResult RunKalvex(const std::vector<std::string>& args, const std::string& dir)
{
    std::vector<std::string> argv{KALVEX_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, "", dir);
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

bool MakeDeviceNode(const std::string& path, unsigned minor)
{
    if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return false;
    // A file system mounted without devices refuses to open it.
    int const fd = open(path.c_str(), O_WRONLY);
    if (fd < 0) return false;
    close(fd);
    return true;
}

std::vector<std::string> Words(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

void WriteH2Files(const TempDir& dir)
{
    dir.Write("coord", "$coord\n"
                       "    0.00000000000000      0.00000000000000     -0.70000000000000      h\n"
                       "    0.00000000000000      0.00000000000000      0.70000000000000      h\n"
                       "$end\n");
    dir.Write("basis", "$basis\n*\nh sto-3g\n*\n   3  s\n"
                       "  3.4252509100       0.15432897000\n"
                       " 0.62391373000       0.53532814000\n"
                       " 0.16885540000       0.44463454000\n"
                       "*\n$end\n");
    dir.Write("control",
              "$title\n$atoms\n"
              "h  1-2                                                                         \\\n"
              "   basis =h sto-3g\n"
              "$closed shells\n a       1                                      ( 2 )\n$end\n");
    dir.Write("mos", "$scfmo    scfconv=7   format(4d20.14)\n"
                     "#\n"
                     "     1  a      eigenvalue=-.57820297751246D+00   nsaos=2\n"
                     "0.54893404039964D+000.54893404039964D+00\n"
                     "     2  a      eigenvalue=0.67026776827367D+00   nsaos=2\n"
                     "0.12114640735435D+01-.12114640735435D+01\n"
                     "$end\n");
}
