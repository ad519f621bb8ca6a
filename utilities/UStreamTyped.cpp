// Single values, std::vector forms and skips of the typed layer of UStream.
#include "utilities/UStreamTypedIO.h"

using IO = UStreamTypedIO;

// Bool
void UStream::PutBool(bool x) { IO::PutValue(*this, x); }
void UStream::PutBool(std::vector<bool> const& v) { IO::PutVector(*this, v); }
void UStream::PutBoolWithSize(std::vector<bool> const& v) { IO::PutVectorWithSize(*this, v); }
bool UStream::GetBool() { return IO::GetValue<bool>(*this); }
void UStream::GetBool(std::vector<bool>& v) { IO::GetVector(*this, v); }
void UStream::GetBoolWithSize(std::vector<bool>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipBool(long n) { IO::Skip(*this, n, IO::WireSize<bool>()); }
void UStream::SkipBoolVector() { IO::SkipVector(*this, IO::WireSize<bool>()); }

// Byte
void UStream::PutByte(unsigned char x) { IO::PutValue(*this, x); }
void UStream::PutByte(std::vector<unsigned char> const& v) { IO::PutVector(*this, v); }
void UStream::PutByteWithSize(std::vector<unsigned char> const& v)
{
    IO::PutVectorWithSize(*this, v);
}
unsigned char UStream::GetByte() { return IO::GetValue<unsigned char>(*this); }
void UStream::GetByte(std::vector<unsigned char>& v) { IO::GetVector(*this, v); }
void UStream::GetByteWithSize(std::vector<unsigned char>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipByte(long n) { IO::Skip(*this, n, IO::WireSize<unsigned char>()); }
void UStream::SkipByteVector() { IO::SkipVector(*this, IO::WireSize<unsigned char>()); }
void UStream::SkipByteMatrix() { IO::SkipMatrix(*this, IO::WireSize<unsigned char>()); }

// Int8
void UStream::PutInt8(signed char x) { IO::PutValue(*this, x); }
void UStream::PutInt8(std::vector<signed char> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt8WithSize(std::vector<signed char> const& v)
{
    IO::PutVectorWithSize(*this, v);
}
signed char UStream::GetInt8() { return IO::GetValue<signed char>(*this); }
void UStream::GetInt8(std::vector<signed char>& v) { IO::GetVector(*this, v); }
void UStream::GetInt8WithSize(std::vector<signed char>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipInt8(long n) { IO::Skip(*this, n, IO::WireSize<signed char>()); }
void UStream::SkipInt8Vector() { IO::SkipVector(*this, IO::WireSize<signed char>()); }
void UStream::SkipInt8Matrix() { IO::SkipMatrix(*this, IO::WireSize<signed char>()); }

// Int16
void UStream::PutInt16(short x) { IO::PutValue(*this, x); }
void UStream::PutInt16(std::vector<short> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt16WithSize(std::vector<short> const& v) { IO::PutVectorWithSize(*this, v); }
short UStream::GetInt16() { return IO::GetValue<short>(*this); }
void UStream::GetInt16(std::vector<short>& v) { IO::GetVector(*this, v); }
void UStream::GetInt16WithSize(std::vector<short>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipInt16(long n) { IO::Skip(*this, n, IO::WireSize<short>()); }
void UStream::SkipInt16Vector() { IO::SkipVector(*this, IO::WireSize<short>()); }
void UStream::SkipInt16Matrix() { IO::SkipMatrix(*this, IO::WireSize<short>()); }

// Int32
void UStream::PutInt32(long x) { IO::PutValue(*this, x); }
void UStream::PutInt32(std::vector<long> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt32WithSize(std::vector<long> const& v) { IO::PutVectorWithSize(*this, v); }
long UStream::GetInt32() { return IO::GetValue<long>(*this); }
void UStream::GetInt32(std::vector<long>& v) { IO::GetVector(*this, v); }
void UStream::GetInt32WithSize(std::vector<long>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipInt32(long n) { IO::Skip(*this, n, IO::WireSize<long>()); }
void UStream::SkipInt32Vector() { IO::SkipVector(*this, IO::WireSize<long>()); }
void UStream::SkipInt32Matrix() { IO::SkipMatrix(*this, IO::WireSize<long>()); }

// Float
void UStream::PutFloat(float x) { IO::PutValue(*this, x); }
void UStream::PutFloat(std::vector<float> const& v) { IO::PutVector(*this, v); }
void UStream::PutFloatWithSize(std::vector<float> const& v) { IO::PutVectorWithSize(*this, v); }
float UStream::GetFloat() { return IO::GetValue<float>(*this); }
void UStream::GetFloat(std::vector<float>& v) { IO::GetVector(*this, v); }
void UStream::GetFloatWithSize(std::vector<float>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipFloat(long n) { IO::Skip(*this, n, IO::WireSize<float>()); }
void UStream::SkipFloatVector() { IO::SkipVector(*this, IO::WireSize<float>()); }
void UStream::SkipFloatMatrix() { IO::SkipMatrix(*this, IO::WireSize<float>()); }

// Double
void UStream::PutDouble(double x) { IO::PutValue(*this, x); }
void UStream::PutDouble(std::vector<double> const& v) { IO::PutVector(*this, v); }
void UStream::PutDoubleWithSize(std::vector<double> const& v) { IO::PutVectorWithSize(*this, v); }
double UStream::GetDouble() { return IO::GetValue<double>(*this); }
void UStream::GetDouble(std::vector<double>& v) { IO::GetVector(*this, v); }
void UStream::GetDoubleWithSize(std::vector<double>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::SkipDouble(long n) { IO::Skip(*this, n, IO::WireSize<double>()); }
void UStream::SkipDoubleVector() { IO::SkipVector(*this, IO::WireSize<double>()); }
void UStream::SkipDoubleMatrix() { IO::SkipMatrix(*this, IO::WireSize<double>()); }

// Complex
void UStream::PutComplex(std::complex<double> const& x) { IO::PutValue(*this, x); }
void UStream::PutComplex(std::vector<std::complex<double>> const& v) { IO::PutVector(*this, v); }
void UStream::PutComplexWithSize(std::vector<std::complex<double>> const& v)
{
    IO::PutVectorWithSize(*this, v);
}
// The real part, then the imaginary part, each read as a Double.
std::complex<double> UStream::GetComplex()
{
    double const re = GetDouble();
    return {re, GetDouble()};
}
void UStream::GetComplex(std::vector<std::complex<double>>& v) { IO::GetVector(*this, v); }
void UStream::GetComplexWithSize(std::vector<std::complex<double>>& v)
{
    IO::GetVectorWithSize(*this, v);
}
void UStream::SkipComplex(long n) { IO::Skip(*this, n, IO::WireSize<std::complex<double>>()); }
void UStream::SkipComplexVector() { IO::SkipVector(*this, IO::WireSize<std::complex<double>>()); }
void UStream::SkipComplexMatrix() { IO::SkipMatrix(*this, IO::WireSize<std::complex<double>>()); }
