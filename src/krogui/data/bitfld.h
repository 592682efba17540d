#pragma once
// TBitFld: a resizable set of bits.

#include <krogui/kroguiexport.h>

#include <QtGlobal>

#include <vector>

namespace kro {

/// A field of bits numbered from 0. Bits outside the field read false and writes to them do
/// nothing. A negative size, or one that cannot be had, raises EKROError and changes nothing.
class KROGUI_EXPORT TBitFld
{
public:
    /// A field of NrBits false bits.
    explicit TBitFld(int NrBits = 0);

    /// Number of bits.
    int Size() const { return FSize; }
    /// Resizes the field; bits below both sizes keep their value, new bits are false.
    void SetSize(int NrBits);
    /// Sets every bit false.
    void Clear();

    bool GetBit(int Ix) const;
    void SetBit(int Ix, bool Value);
    /// Number of true bits.
    int CountTrueBits() const;
    /// Index of the lowest true bit; -1 when no bit is true.
    int FirstTrueBit() const;

private:
    int FSize = 0;
    std::vector<quint64> FWords; // bits beyond FSize are always 0
};

} // namespace kro
