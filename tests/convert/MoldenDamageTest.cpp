// Damaged Molden files through the whole reader: cut anywhere, or bytes of no
// text at all, each ends with one of the system's errors and nothing else.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "convert/UMolden.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const smallFile = "[Molden Format]\n"
                              "[Title]\nwater\n"
                              "[Atoms] Angs\n"
                              "O 1 8 0.0 0.0 0.1173\n"
                              "H 2 1 0.0 0.7572 -0.4692\n"
                              "H 3 1 0.0 -0.7572 -0.4692\n"
                              "[FREQ]\n1648.2\n3832.1\n3942.5\n"
                              "[FR-COORD]\n"
                              "o 0.0 0.0 0.2217\n"
                              "h 0.0 1.4309 -0.8867\n"
                              "h 0.0 -1.4309 -0.8867\n"
                              "[FR-NORM-COORD]\n"
                              "vibration 1\n0.0 0.0 -0.07\n0.0 -0.42 0.56\n0.0 0.42 0.56\n"
                              "vibration 2\n0.0 0.0 0.05\n0.0 0.58 -0.40\n0.0 -0.58 -0.40\n"
                              "vibration 3\n0.0 0.07 0.0\n0.0 -0.56 0.43\n0.0 -0.56 -0.43\n"
                              "[GTO]\n  1 0\ns 1 1.00\n 1.0 1.0\n\n";

class MoldenDamage : public ::testing::Test {
protected:
    void SetUp() override { RegisterMessages(); }

    // Reads text and checks that it either succeeds or raises one of the
    // reader's codes with the system's message; returns the code.
    static int ReadChecked(const std::string& text)
    {
        static const std::set<int> codes = {0,
                                            cmUnexpectedEof,
                                            cmInvalidMoldenFile,
                                            umIncompatibleDimensions,
                                            umIndexOutOfRange,
                                            umIllegalIndex};
        UQGeometryData geom;
        TextStream stream(text);
        UMoldenFilter filter(stream.Get());
        std::string message;
        int code = RaisedCode([&] { filter.ReadGeometry(&geom); }, &message);
        EXPECT_TRUE(codes.count(code)) << code << ": " << message;
        if (code != 0) {
            EXPECT_NE(std::string::npos, message.find(".\nError in file ")) << message;
        }
        return code;
    }
};

TEST_F(MoldenDamage, TheFileCutAtEveryByte)
{
    const std::string whole = smallFile;
    ASSERT_EQ(0, ReadChecked(whole));
    std::set<int> seen;
    for (size_t n = 0; n < whole.size(); n++) seen.insert(ReadChecked(whole.substr(0, n)));
    // Cut short, the file is incomplete in every way the reader checks.
    EXPECT_TRUE(seen.count(cmUnexpectedEof));
    EXPECT_TRUE(seen.count(cmInvalidMoldenFile));
    EXPECT_TRUE(seen.count(umIncompatibleDimensions));
}

TEST_F(MoldenDamage, TheRealFileCutAndMangled)
{
    const std::string file = SharedPath("molden/dvb-ir-molden57.molden");
    if (file.empty()) GTEST_SKIP() << SharedMissing("molden/dvb-ir-molden57.molden");
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream s;
    s << in.rdbuf();
    const std::string whole = s.str();
    for (size_t n = 0; n < whole.size(); n += 997) ReadChecked(whole.substr(0, n));
    // The geometry part without the basis and orbitals, which are skipped whole:
    // one byte of a line turned into a letter, a bracket, a NUL or a line end,
    // in every line of the atoms, frequencies and coordinates and in every
    // twentieth of the modes.
    const std::string geometry =
        whole.substr(0, whole.find("[GTO]")) + whole.substr(whole.find("[FREQ]"));
    auto mangleLines = [&](const char* from, const char* to, int step) {
        size_t end = geometry.find(to);
        int line = 0;
        for (size_t at = geometry.find(from); at < end; at = geometry.find('\n', at) + 1, line++) {
            if (line % step != 0) continue;
            for (char c : {'x', '[', '\0', '\n'}) {
                std::string mangled = geometry;
                mangled[at + 3 < end ? at + 3 : at] = c;
                ReadChecked(mangled);
            }
        }
    };
    mangleLines("[Atoms]", "[FREQ]", 1);
    mangleLines("[FREQ]", "[FR-NORM-COORD]", 1);
    mangleLines("[FR-NORM-COORD]", "[INT]", 20);
}

TEST_F(MoldenDamage, BytesOfNoText)
{
    uint32_t state = 12345;
    for (size_t length : {1, 2, 7, 100, 4096, 70000}) {
        for (int round = 0; round < 4; round++) {
            std::string bytes(length, '\0');
            for (char& b : bytes) {
                state = state * 1664525u + 1013904223u;
                b = char(state >> 24);
            }
            if (round == 1) bytes = "[Molden Format]\n[ATOMS]\n" + bytes;
            if (round == 2) bytes = "[Molden Format]\n[FREQ]\n" + bytes;
            if (round == 3) bytes = "[ATOMS]\nH 1 1 0 0 0\n[FR-NORM-COORD]\nvibration 1\n" + bytes;
            SCOPED_TRACE(std::to_string(length) + " bytes, round " + std::to_string(round));
            ReadChecked(bytes);
        }
    }
}

}  // namespace
