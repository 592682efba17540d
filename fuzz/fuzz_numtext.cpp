// The number text routines: every scanner and validator on any text, and FormatReal with any width
// and decimals. Checks that scan positions stay inside the text, that validators agree with the
// scanners and that formatted numbers read back as the value they show.
#include "fuzzcommon.h"

#include <krogui/numio/numtext.h>

#include <cmath>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

namespace {

// A scan moves Pos forward within the text (a start before 1 counts as 1) or leaves it alone.
void CheckPos(int Start, int Pos, const QString &Text, const char *What)
{
    Check(Pos == Start || (Pos >= std::max(1, Start) && Pos <= Text.size() + 1), What);
}

void FuzzFormat(krofuzz::TInput &In)
{
    const int width = In.Int16();
    const int decimals = In.Int16();
    const double v = In.Real();
    const QString s = FormatReal(width, decimals, v);
    Check(s.size() <= std::max(kFormatRealMaxWidth, kFormatRealMaxDecimals + 330), "FormatReal text too long");
    if (!std::isfinite(v)) return;
    if (decimals >= 0 && decimals <= 15 && std::fabs(v) < 1e15) {
        int pos = 1;
        const double back = ScanReal(s, false, sepPoint, pos);
        const double tol = 0.5000001 * std::pow(10.0, -decimals) + std::fabs(v) * 4e-16;
        Check(std::fabs(back - v) <= tol, "FormatReal (fixed) does not read back");
    }
    if (decimals == -2 && width >= 8 && width <= 30 && !s.startsWith(u'*')) {
        Check(s.size() == width, "FormatReal (exponent, -2) is not Width characters");
        int pos = 1;
        const double back = ScanReal(s, true, sepPoint, pos);
        const double rel = 0.5000001 * std::pow(10.0, -(width - 7)) + 1e-15;
        Check(std::fabs(back - v) <= std::fabs(v) * rel + 1e-300, "FormatReal (exponent) does not read back");
    }
}

void FuzzScan(int Which, krofuzz::TInput &In)
{
    const quint8 flags = In.Byte();
    const int start = In.Int16() % 400;
    int pos = start;
    const QString text = In.RestText();
    const auto mode = TSeparatorMode(flags % 3);
    const auto choice = TDecPSep((flags >> 2) % 4);
    const bool allowExp = flags & 0x40;
    switch (Which) {
    case 0: {
        const double v = ScanReal(text, allowExp, mode, pos);
        Check(!std::isnan(v), "ScanReal gave NaN");
        CheckPos(start, pos, text, "ScanReal position");
        (void)SeparatorPos(text, pos, mode);
        break;
    }
    case 1: {
        const bool whole = IsWholeRealText(text, allowExp, choice);
        const bool real = IsRealText(text, allowExp, choice);
        Check(!whole || real, "IsWholeRealText without IsRealText");
        if (whole) {
            int p = 1;
            const double v = ScanReal(text, allowExp, CheckSeparatorMode(choice), p);
            Check(std::isfinite(v), "a whole real text scans as a non-finite value");
        }
        (void)IsFixedText(text, choice);
        (void)IsFixedText(text, mode);
        break;
    }
    case 2: {
        (void)ScanInt(text, pos);
        CheckPos(start, pos, text, "ScanInt position");
        if (IsIntText(text)) {
            int p = 1;
            (void)ScanInt(text, p);
            Check(p == text.size() + 1, "an integer text is not scanned to its end");
        }
        break;
    }
    default: {
        int p1 = pos, p2 = pos, p3 = pos;
        (void)ScanHex(text, p1);
        (void)ScanOct(text, p2);
        (void)ScanBin(text, p3);
        CheckPos(start, p1, text, "ScanHex position");
        CheckPos(start, p2, text, "ScanOct position");
        CheckPos(start, p3, text, "ScanBin position");
        Check(!IsBinText(text) || IsOctText(text), "binary digits that are not octal");
        Check(!IsOctText(text) || IsHexText(text), "octal digits that are not hexadecimal");
        const qint32 v = qint32(quint32(flags) * 0x01010101u);
        const int count = pos % 40;
        Check(HexDigits(v, count).size() == std::clamp(count, 1, 8), "HexDigits length");
        Check(OctDigits(v, count).size() == std::clamp(count, 1, 11), "OctDigits length");
        Check(BinDigits(v, count).size() == std::clamp(count, 1, 32), "BinDigits length");
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const int which = in.Byte() % 6;
    if (which == 5) {
        FuzzFormat(in);
        (void)RoundToInt32Bits(in.Real());
        return 0;
    }
    FuzzScan(which, in);
    return 0;
}
