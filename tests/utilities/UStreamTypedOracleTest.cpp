// The typed layer against a byte oracle that is not our code: Python's
// struct module packs a table of values in both byte orders; our writers
// must produce those bytes exactly, and our readers must read them back.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "utilities/UMemoryStream.h"

namespace {

char const* const python = "/usr/bin/python3";

// Each pair of arguments, a struct format and the values it packs, becomes
// one line: the little-endian bytes and the big-endian bytes in hex.
char const* const packer =
    "import math, struct, sys\n"
    "a = sys.argv[1:]\n"
    "for f, v in zip(a[::2], a[1::2]):\n"
    "    x = eval('(' + v + ',)')\n"
    "    print(struct.pack('<' + f, *x).hex(), struct.pack('>' + f, *x).hex())\n";

struct OracleCase {
    char const* name;
    char const* format;  // struct format without the byte-order character
    char const* values;  // Python expressions, comma-separated
    std::function<void(UStream&)> write;
    std::function<void(UStream&)> readBack;  // reads and checks the values
};

template <class T>
bool SameBits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// 3 x 2 with column space 5, element (i, j) = 0.5 + i + 10 j.
UMatrix<double> PaddedMatrix()
{
    UMatrix<double> m(3, 2, 5);
    for (long j = 0; j < 2; ++j)
        for (long i = 0; i < 3; ++i) m(i, j) = 0.5 + i + 10 * j;
    return m;
}

std::vector<OracleCase> Cases()
{
    double const pi = 3.141592653589793;
    std::vector<long> strided = {7, 0, -8, 0, 2147483647};
    std::vector<float> packed = {1.0f, -2.5f, 0.1f, 65504.0f};
    return {
        {"Bool true", "?", "True", [](UStream& s) { s.PutBool(true); },
         [](UStream& s) { EXPECT_TRUE(s.GetBool()); }},
        {"Bool false", "?", "False", [](UStream& s) { s.PutBool(false); },
         [](UStream& s) { EXPECT_FALSE(s.GetBool()); }},
        {"Byte", "B", "171", [](UStream& s) { s.PutByte(171); },
         [](UStream& s) { EXPECT_EQ(s.GetByte(), 171); }},
        {"Int8", "b", "-128", [](UStream& s) { s.PutInt8(-128); },
         [](UStream& s) { EXPECT_EQ(s.GetInt8(), -128); }},
        {"Int16 -2", "h", "-2", [](UStream& s) { s.PutInt16(-2); },
         [](UStream& s) { EXPECT_EQ(s.GetInt16(), -2); }},
        {"Int16 0x1234", "h", "0x1234", [](UStream& s) { s.PutInt16(0x1234); },
         [](UStream& s) { EXPECT_EQ(s.GetInt16(), 0x1234); }},
        {"Int32 1", "i", "1", [](UStream& s) { s.PutInt32(1); },
         [](UStream& s) { EXPECT_EQ(s.GetInt32(), 1); }},
        {"Int32 min", "i", "-2147483648", [](UStream& s) { s.PutInt32(-2147483648L); },
         [](UStream& s) { EXPECT_EQ(s.GetInt32(), -2147483648L); }},
        {"Int32 0x12345678", "i", "0x12345678", [](UStream& s) { s.PutInt32(0x12345678L); },
         [](UStream& s) { EXPECT_EQ(s.GetInt32(), 0x12345678L); }},
        {"Float 0.1", "f", "0.1", [](UStream& s) { s.PutFloat(0.1f); },
         [](UStream& s) { EXPECT_EQ(s.GetFloat(), 0.1f); }},
        {"Float extremes", "fff", "-3.4028234663852886e38, 1.401298464324817e-45, float('inf')",
         [](UStream& s) {
             s.PutFloat(-FLT_MAX);
             s.PutFloat(std::numeric_limits<float>::denorm_min());
             s.PutFloat(std::numeric_limits<float>::infinity());
         },
         [](UStream& s) {
             EXPECT_EQ(s.GetFloat(), -FLT_MAX);
             EXPECT_EQ(s.GetFloat(), std::numeric_limits<float>::denorm_min());
             EXPECT_EQ(s.GetFloat(), std::numeric_limits<float>::infinity());
         }},
        {"Double", "dddd", "math.pi, -0.0, 5e-324, -1e300",
         [=](UStream& s) {
             s.PutDouble(pi);
             s.PutDouble(-0.0);
             s.PutDouble(5e-324);
             s.PutDouble(-1e300);
         },
         [=](UStream& s) {
             EXPECT_EQ(s.GetDouble(), pi);
             EXPECT_TRUE(SameBits(s.GetDouble(), -0.0));
             EXPECT_EQ(s.GetDouble(), 5e-324);
             EXPECT_EQ(s.GetDouble(), -1e300);
         }},
        {"Complex", "dd", "1.5, -2.0",
         [](UStream& s) { s.PutComplex(std::complex<double>(1.5, -2.0)); },
         [](UStream& s) { EXPECT_EQ(s.GetComplex(), std::complex<double>(1.5, -2.0)); }},
        {"Bool vector with size", "i3?", "3, True, False, True",
         [](UStream& s) {
             s.PutBoolWithSize(std::vector<bool>{true, false, true});
         },
         [](UStream& s) {
             std::vector<bool> v;
             s.GetBoolWithSize(v);
             EXPECT_EQ(v, (std::vector<bool>{true, false, true}));
         }},
        {"Int16 vector with size", "i3h", "3, 1, -2, 300",
         [](UStream& s) {
             s.PutInt16WithSize(std::vector<short>{1, -2, 300});
         },
         [](UStream& s) {
             std::vector<short> v;
             s.GetInt16WithSize(v);
             EXPECT_EQ(v, (std::vector<short>{1, -2, 300}));
         }},
        {"Complex vector with size", "idd", "1, 1.5, -2.0",
         [](UStream& s) {
             s.PutComplexWithSize(std::vector<std::complex<double>>{{1.5, -2.0}});
         },
         [](UStream& s) {
             UVector<std::complex<double>> v(0, 1);
             s.GetComplexWithSize(v);
             ASSERT_EQ(v.GetDim(), 1);
             EXPECT_EQ(v[0], std::complex<double>(1.5, -2.0));
         }},
        {"strided Int32 vector", "3i", "7, -8, 2147483647",
         [=](UStream& s) mutable { s.PutInt32(UVector<long>(strided.data(), 3, 2)); },
         [](UStream& s) {
             UVector<long> v(3, 1);
             s.GetInt32(v);
             EXPECT_EQ(v[0], 7);
             EXPECT_EQ(v[1], -8);
             EXPECT_EQ(v[2], 2147483647);
         }},
        {"packed Float matrix", "4f", "1.0, -2.5, 0.1, 65504.0",
         [=](UStream& s) mutable { s.PutFloat(UMatrix<float>(packed.data(), 2, 2, 2)); },
         [=](UStream& s) {
             UMatrix<float> m(2, 2, -1);
             s.GetFloat(m);
             EXPECT_EQ(m(0, 0), 1.0f);
             EXPECT_EQ(m(1, 0), -2.5f);
             EXPECT_EQ(m(0, 1), 0.1f);
             EXPECT_EQ(m(1, 1), 65504.0f);
         }},
        {"padded Double matrix with size", "ii6d", "3, 2, 0.5, 1.5, 2.5, 10.5, 11.5, 12.5",
         [](UStream& s) { s.PutDoubleWithSize(PaddedMatrix()); },
         [](UStream& s) {
             UMatrix<double> const padded = PaddedMatrix();
             UMatrix<double> m(0, 0, -1);
             s.GetDoubleWithSize(m);
             ASSERT_EQ(m.GetColDim(), 3);
             ASSERT_EQ(m.GetRowDim(), 2);
             EXPECT_EQ(m.GetColSpace(), 3);
             for (long j = 0; j < 2; ++j)
                 for (long i = 0; i < 3; ++i) EXPECT_EQ(m(i, j), padded(i, j));
         }},
        // The byte-order mark is the 16-bit number 258 in the stream's order.
        {"binary header", "11sBHH", "b'Kalvex data', 10, 258, 0",
         [](UStream& s) { s.WriteHeader("Kalvex data"); },
         [](UStream& s) {
             bool const little = s.GetLittleEndian();
             s.SetLittleEndian(!little);
             EXPECT_TRUE(s.VerifyHeader("Kalvex data"));
             EXPECT_EQ(s.GetLittleEndian(), little);
         }},
    };
}

// The oracle's bytes per case: little-endian and big-endian.
std::vector<std::pair<std::string, std::string>> Pack(std::vector<OracleCase> const& cases)
{
    std::vector<std::string> argv = {python, "-c", packer};
    for (OracleCase const& c : cases) {
        argv.push_back(c.format);
        argv.push_back(c.values);
    }
    ChildResult const result = RunProgram(argv);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::pair<std::string, std::string>> packed;
    std::istringstream lines(result.out);
    std::string little, big;
    while (lines >> little >> big) packed.emplace_back(little, big);
    return packed;
}

std::string Hex(std::string const& bytes)
{
    static char const digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string Unhex(std::string const& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string Written(UMemoryStream& s)
{
    auto const* device = static_cast<UMemoryBasicStream const*>(s.GetStream());
    return std::string(device->GetMemoryPointer(), static_cast<size_t>(device->GetSize()));
}

TEST(UStreamTypedOracle, WritersMatchPythonStructAndReadersReadItBack)
{
    if (access(python, X_OK) != 0) GTEST_SKIP() << "python3 is not installed";
    std::vector<OracleCase> const cases = Cases();
    auto const packed = Pack(cases);
    ASSERT_EQ(packed.size(), cases.size());
    for (size_t k = 0; k < cases.size(); ++k) {
        for (bool little : {true, false}) {
            SCOPED_TRACE(std::string(cases[k].name) +
                         (little ? ", little-endian" : ", big-endian"));
            std::string const expected = little ? packed[k].first : packed[k].second;

            UMemoryStream out;
            out.SetLittleEndian(little);
            cases[k].write(out);
            EXPECT_EQ(Hex(Written(out)), expected);

            std::string bytes = Unhex(expected);
            UMemoryStream in(bytes.data(), static_cast<long>(bytes.size()));
            in.SetLittleEndian(little);
            cases[k].readBack(in);
            EXPECT_EQ(in.GetPosition(), static_cast<long>(bytes.size()));
        }
    }
}

}  // namespace
