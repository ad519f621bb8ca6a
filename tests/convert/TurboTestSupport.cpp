#include "tests/convert/TurboTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "convert/UTurbo.h"
#include "molecule/UStrChem.h"
#include "tests/support/TempDir.h"
#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

void RegisterMessages()
{
    static bool done = false;
    if (done) return;
    done = true;
    AddStringsToTable(UtililityStringTable);
    AddStringsToTable(ChemistryStringTable);
}

TextStream::TextStream(const std::string& text) : file(tmpfile())
{
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    stream.reset(new UFilePointerStream(file, true));
}

std::string TextStream::Contents()
{
    fflush(file);
    long position = ftell(file);
    rewind(file);
    std::string all;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, file)) > 0) all.append(buf, n);
    fseek(file, position, SEEK_SET);
    return all;
}

std::string SharedFile(const std::string& relative)
{
    std::string path = SharedPath("data/" + relative);
    if (path.empty()) return "";
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<double> NumbersIn(const std::string& text)
{
    std::vector<double> numbers;
    for (const char* p = text.c_str(); *p != '\0';) {
        char* end;
        if ((*p >= '0' && *p <= '9') || *p == '-') {
            numbers.push_back(strtod(p, &end));
            p = end;
        } else {
            ++p;
        }
    }
    return numbers;
}

int ReadTurboFile(UQGeometryData& geom, const std::string& contents, std::string* message)
{
    TextStream text(contents);
    UTurboFilter filter(text.Get());
    return RaisedCode([&] { filter.ReadGeometry(&geom); }, message);
}

int ReadControlFile(UQGeometryData& geom, const std::string& contents)
{
    TextStream text(contents);
    UTurboFilter filter(text.Get());
    return RaisedCode([&] { filter.ReadControl(&geom); });
}
