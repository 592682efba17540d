#include <krogui/data/bitfld.h>

#include <krogui/core/error.h>

#include <algorithm>
#include <bit>
#include <new>

namespace kro {

TBitFld::TBitFld(int NrBits)
{
    SetSize(NrBits);
}

void TBitFld::SetSize(int NrBits)
{
    if (NrBits < 0) throw EKROError(QStringLiteral("TBitFld.SetSize: negative size %1").arg(NrBits));
    if (NrBits == FSize) return;
    try {
        FWords.resize((size_t(NrBits) + 63) / 64, 0);
    } catch (const std::bad_alloc &) {
        throw EKROError(QStringLiteral("TBitFld.SetSize: not enough memory for %1 bits").arg(NrBits));
    }
    // Bits past the new end must read false if the field grows again.
    if (NrBits % 64 != 0) FWords.back() &= (quint64(1) << (NrBits % 64)) - 1;
    FSize = NrBits;
}

void TBitFld::Clear()
{
    std::fill(FWords.begin(), FWords.end(), 0);
}

bool TBitFld::GetBit(int Ix) const
{
    if (Ix < 0 || Ix >= FSize) return false;
    return (FWords[size_t(Ix) / 64] >> (Ix % 64)) & 1;
}

void TBitFld::SetBit(int Ix, bool Value)
{
    if (Ix < 0 || Ix >= FSize) return;
    const quint64 mask = quint64(1) << (Ix % 64);
    if (Value)
        FWords[size_t(Ix) / 64] |= mask;
    else
        FWords[size_t(Ix) / 64] &= ~mask;
}

int TBitFld::CountTrueBits() const
{
    int n = 0;
    for (quint64 w : FWords)
        n += std::popcount(w);
    return n;
}

int TBitFld::FirstTrueBit() const
{
    for (size_t i = 0; i < FWords.size(); ++i)
        if (FWords[i]) return int(i * 64) + std::countr_zero(FWords[i]);
    return -1;
}

} // namespace kro
