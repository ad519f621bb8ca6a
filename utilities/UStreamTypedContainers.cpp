// The UVector and UMatrix forms of the typed layer of UStream.
#include "utilities/UStreamTypedIO.h"

using IO = UStreamTypedIO;

// Byte
void UStream::PutByte(UVector<unsigned char> const& v) { IO::PutVector(*this, v); }
void UStream::PutByte(UMatrix<unsigned char> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutByteWithSize(UVector<unsigned char> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutByteWithSize(UMatrix<unsigned char> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetByte(UVector<unsigned char>& v) { IO::GetVector(*this, v); }
void UStream::GetByte(UMatrix<unsigned char>& m) { IO::GetMatrix(*this, m); }
void UStream::GetByteWithSize(UVector<unsigned char>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetByteWithSize(UMatrix<unsigned char>& m) { IO::GetMatrixWithSize(*this, m); }

// Int8
void UStream::PutInt8(UVector<signed char> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt8(UMatrix<signed char> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutInt8WithSize(UVector<signed char> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutInt8WithSize(UMatrix<signed char> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetInt8(UVector<signed char>& v) { IO::GetVector(*this, v); }
void UStream::GetInt8(UMatrix<signed char>& m) { IO::GetMatrix(*this, m); }
void UStream::GetInt8WithSize(UVector<signed char>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetInt8WithSize(UMatrix<signed char>& m) { IO::GetMatrixWithSize(*this, m); }

// Int16
void UStream::PutInt16(UVector<short> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt16(UMatrix<short> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutInt16WithSize(UVector<short> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutInt16WithSize(UMatrix<short> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetInt16(UVector<short>& v) { IO::GetVector(*this, v); }
void UStream::GetInt16(UMatrix<short>& m) { IO::GetMatrix(*this, m); }
void UStream::GetInt16WithSize(UVector<short>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetInt16WithSize(UMatrix<short>& m) { IO::GetMatrixWithSize(*this, m); }

// Int32
void UStream::PutInt32(UVector<long> const& v) { IO::PutVector(*this, v); }
void UStream::PutInt32(UMatrix<long> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutInt32WithSize(UVector<long> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutInt32WithSize(UMatrix<long> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetInt32(UVector<long>& v) { IO::GetVector(*this, v); }
void UStream::GetInt32(UMatrix<long>& m) { IO::GetMatrix(*this, m); }
void UStream::GetInt32WithSize(UVector<long>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetInt32WithSize(UMatrix<long>& m) { IO::GetMatrixWithSize(*this, m); }

// Float
void UStream::PutFloat(UVector<float> const& v) { IO::PutVector(*this, v); }
void UStream::PutFloat(UMatrix<float> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutFloatWithSize(UVector<float> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutFloatWithSize(UMatrix<float> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetFloat(UVector<float>& v) { IO::GetVector(*this, v); }
void UStream::GetFloat(UMatrix<float>& m) { IO::GetMatrix(*this, m); }
void UStream::GetFloatWithSize(UVector<float>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetFloatWithSize(UMatrix<float>& m) { IO::GetMatrixWithSize(*this, m); }

// Double
void UStream::PutDouble(UVector<double> const& v) { IO::PutVector(*this, v); }
void UStream::PutDouble(UMatrix<double> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutDoubleWithSize(UVector<double> const& v) { IO::PutVectorWithSize(*this, v); }
void UStream::PutDoubleWithSize(UMatrix<double> const& m) { IO::PutMatrixWithSize(*this, m); }
void UStream::GetDouble(UVector<double>& v) { IO::GetVector(*this, v); }
void UStream::GetDouble(UMatrix<double>& m) { IO::GetMatrix(*this, m); }
void UStream::GetDoubleWithSize(UVector<double>& v) { IO::GetVectorWithSize(*this, v); }
void UStream::GetDoubleWithSize(UMatrix<double>& m) { IO::GetMatrixWithSize(*this, m); }

// Complex
void UStream::PutComplex(UVector<std::complex<double>> const& v) { IO::PutVector(*this, v); }
void UStream::PutComplex(UMatrix<std::complex<double>> const& m) { IO::PutMatrix(*this, m); }
void UStream::PutComplexWithSize(UVector<std::complex<double>> const& v)
{
    IO::PutVectorWithSize(*this, v);
}
void UStream::PutComplexWithSize(UMatrix<std::complex<double>> const& m)
{
    IO::PutMatrixWithSize(*this, m);
}
void UStream::GetComplex(UVector<std::complex<double>>& v) { IO::GetVector(*this, v); }
void UStream::GetComplex(UMatrix<std::complex<double>>& m) { IO::GetMatrix(*this, m); }
void UStream::GetComplexWithSize(UVector<std::complex<double>>& v)
{
    IO::GetVectorWithSize(*this, v);
}
void UStream::GetComplexWithSize(UMatrix<std::complex<double>>& m)
{
    IO::GetMatrixWithSize(*this, m);
}
