// The converter's command line: options, the fixed order in which the files are read, and the
// Molden file written from the one molecule they fill.
#include "driver/KalvexDriver.h"

#include <cstdio>
#include <memory>

#include <sys/stat.h>

#include "convert/OccupiedOrbitals.h"
#include "convert/UMolden.h"
#include "convert/UTurbo.h"
#include "driver/OutputFile.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "molecule/siChemistry.h"
#include "numeric/siNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UError.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"
#include "utilities/siUtilities.h"

namespace {
const char usageText[] =
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

// The file slots of the command line and the messages that name them.
enum SlotIndex {
    incoord,
    inenergy,
    ingrad,
    inhess,
    aoforce,
    basisset,
    control,
    mos,
    mos_b,
    molden,
    slotCount
};

struct SlotMessages {
    const char* duplicate;
    const char* openFailure;
};

const SlotMessages slotMessages[slotCount] = {
    {"Duplicate incoord file", "Could not open incoord file %s"},
    {"Duplicate inenergy file", "Could not open inenergy file %s"},
    {"Duplicate ingrad file", "Could not open ingrad file %s"},
    {"Duplicate inhess file", "Could not open inhess file %s"},
    {"Duplicate aoforce file", "Could not open aoforce file %s"},
    {"Duplicate basisset file", "Could not open basisset file %s"},
    {"Duplicate control file", "Could not open control file %s"},
    {"Duplicate mos file", "Could not open mos file %s"},
    {"Duplicate mos_b file", "Could not open mos_b file %s"},
    {"Duplicate molden file", "Could not open molden file %s"},
};
}  // namespace

UError error(usageText);

namespace {

using FileNames = const char* [slotCount];

const char* const sourceName = "Kalvex";

[[noreturn]] void Fail(const char* format, const char* value = nullptr)
{
    error.Error(format, value);
}

// The slot an option selects, or slotCount for an unknown option.
int SlotOfOption(const char* arg)
{
    switch (arg[1]) {
    case 'I':
    case 'i':
        switch (arg[2]) {
        case 'C':
        case 'c':
            return incoord;
        case 'E':
        case 'e':
            return inenergy;
        case 'G':
        case 'g':
            return ingrad;
        case 'H':
        case 'h':
            return inhess;
        case 'A':
        case 'a':
            return aoforce;
        default:
            return slotCount;
        }
    case 'B':
    case 'b':
        switch (arg[2]) {
        case 'A':
        case 'a':
            return basisset;
        case 'C':
        case 'c':
            return control;
        case 'O':
        case 'o':
            return mos;
        default:
            return slotCount;
        }
    case 'O':
    case 'o':
        return molden;
    default:
        return slotCount;
    }
}

void ParseOptions(int argc, char** argv, FileNames& files)
{
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (arg[0] != '-') Fail("Unknown option %s", arg);
        if (arg[1] == '?') error.Usage();
        int slot = SlotOfOption(arg);
        if (slot == slotCount) Fail("Unknown option %s", arg);
        if (files[slot]) Fail(slotMessages[slot].duplicate);
        i++;
        files[slot] = argv[i];  // the terminating null when the option came last
        if (slot == mos && i < argc - 1 && argv[i + 1][0] != '-') {
            if (files[mos_b]) Fail(slotMessages[mos_b].duplicate);
            i++;
            files[mos_b] = argv[i];
        }
    }
    bool hasInput = false;
    for (int slot : {incoord, inenergy, ingrad, inhess, aoforce, basisset})
        if (files[slot]) hasInput = true;
    if (!hasInput) Fail("No input file specified");
    if (!files[molden]) Fail("No output file specified");
}

// An output that is one of the inputs, under another name or through a link, would
// be overwritten with the Molden text: it is refused before anything is read.
void RefuseOutputOverInput(const FileNames& files)
{
    struct stat output;
    if (stat(files[molden], &output) != 0) return;
    for (int slot = incoord; slot < molden; slot++) {
        struct stat input;
        if (files[slot] && stat(files[slot], &input) == 0 && input.st_dev == output.st_dev &&
            input.st_ino == output.st_ino)
            Fail(slotMessages[molden].openFailure, files[molden]);
    }
}

std::unique_ptr<UFilePointerStream> OpenInput(const FileNames& files, int slot)
{
    FILE* fp = std::fopen(files[slot], "rb");
    if (!fp) Fail(slotMessages[slot].openFailure, files[slot]);
    return std::make_unique<UFilePointerStream>(fp, true);
}

// Each file is closed before the next one is opened. Returns how many of its
// sections were read.
long ReadGeometryFile(const FileNames& files, int slot, UQGeometryData* geom)
{
    std::unique_ptr<UFilePointerStream> stream = OpenInput(files, slot);
    UTurboFilter filter(stream.get());
    filter.ReadGeometry(geom);
    return filter.GetSectionsRead();
}

void ReadAoforceFile(const FileNames& files, UQGeometryData* geom)
{
    std::unique_ptr<UFilePointerStream> stream = OpenInput(files, aoforce);
    UTurboFilter(stream.get()).ReadVibrations(geom);
}

// The basis, control and orbital files are all opened before any of them is read; the
// basis comes first so that orbital coefficients are reordered as they are read.
void ReadBasisGroup(const FileNames& files, UQGeometryData* geom)
{
    if (!files[basisset] || !files[control] || !files[mos]) Fail("Incomplete basisset information");
    std::unique_ptr<UFilePointerStream> basisStream = OpenInput(files, basisset);
    std::unique_ptr<UFilePointerStream> controlStream = OpenInput(files, control);
    std::unique_ptr<UFilePointerStream> mosStream = OpenInput(files, mos);
    UTurboFilter(basisStream.get()).ReadGeometry(geom);
    // Without a basis the orbitals could not be written: the run would drop them
    // and still report success.
    if (!geom->GetHasBasis()) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    UTurboFilter(controlStream.get()).ReadControl(geom);
    UTurboFilter(mosStream.get()).ReadGeometry(geom);
    if (files[mos_b]) ReadGeometryFile(files, mos_b, geom);
    // Every orbital file is in: the occupations can meet their orbitals.
    RequireOccupiedOrbitals(geom);
    RequireOccupiedWrittenOrbitals(geom);
}

void WriteMolden(const FileNames& files, UQGeometryData* geom)
{
    // Opened only now, so that a failed input leaves the output as it was.
    OutputFile output(files[molden]);
    if (!output.File()) Fail(slotMessages[molden].openFailure, files[molden]);
    {
        UFilePointerStream stream(output.File(), false);
        stream.SetTextMode(true);
        UMoldenFilter filter(&stream);
        if (geom->GetHasCoordinates()) filter.WriteGeometry(geom);
        if (geom->GetHasBasis()) {
            filter.WriteBasis(geom);
            filter.WriteOrbitals(geom);
        }
    }
    // A full disk shows only here; a truncated file must not end in success, nor replace
    // the earlier output.
    if (!output.Commit()) RaiseError(umStreamOutputError, sourceName, __LINE__);
    std::printf("Kalvex exits...\n");
}

}  // namespace

void ConvertFiles(int argc, char** argv)
{
    FileNames files = {};
    ParseOptions(argc, argv, files);
    RefuseOutputOverInput(files);
    UQGeometryData geom;
    // A file whose sections were all unknown ("$COORD") gave nothing: the run
    // would write an empty Molden file and still report success.
    for (int slot : {incoord, inenergy, ingrad, inhess})
        if (files[slot] && ReadGeometryFile(files, slot, &geom) == 0)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (files[aoforce]) ReadAoforceFile(files, &geom);
    if (files[basisset] || files[control] || files[mos]) ReadBasisGroup(files, &geom);
    WriteMolden(files, &geom);
}

int RunKalvex(int argc, char** argv)
{
    InitUtilities();
    InitNumer();
    InitChemistry();
    try {
        ConvertFiles(argc, argv);
    } catch (Exception& e) {
        error.Error("%s", e.Text);
    } catch (...) {
        error.Error("Unknown exception");
    }
    return 0;
}
