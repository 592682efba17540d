#include <krogui/replist/rlscan_p.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KRO_SCAN_AVX2 1
#endif

#include <bit>

namespace kro::rlscan {

template <int Bits> qsizetype TTermScan::Block(qsizetype I, quint64 M, qsizetype After)
{
    while (M) {
        const qsizetype start = I + std::countr_zero(M) / Bits;
        for (int b = 0; b < Bits; ++b)
            M &= M - 1;
        if (start < Pos) continue;
        // Compared in the text that was scanned, which is the one in the cache.
        bool equal = true;
        if constexpr (Bits == 1) {
            for (qsizetype k = 0; k < Len && equal; ++k)
                equal = quint8(B[start + k]) == P[k];
        } else {
            for (qsizetype k = 0; k < Len && equal; ++k)
                equal = T[start + k] == P[k];
        }
        if (!equal) continue;
        // Occurrences are often a few cells apart: those are stepped over before galloping.
        const quint32 *st = Col.Start.data();
        const size_t last = Col.Start.size() - 1;
        size_t c = size_t(From);
        for (int k = 0; k < 4 && c < last && st[c + 1] <= quint64(start); ++k)
            ++c;
        const int cell = c < last && st[c + 1] <= quint64(start) ? Col.CellAt(start, int(c)) : int(c);
        From = cell;
        const qsizetype next = Col.Start[size_t(cell) + 1];
        if (start + Len <= next - 1) {
            Hit[size_t(cell)] = 1;
            Pos = next;
            if (next >= After) return next;
        }
    }
    return After;
}

namespace {

#ifdef KRO_SCAN_AVX2
// 32 starts at a time in the one-byte text.
__attribute__((target("avx2"))) qsizetype NarrowAvx2(TTermScan &S, const char *B, qsizetype I, qsizetype N,
                                                     qsizetype Anchor, qsizetype Second)
{
    const __m256i k1 = _mm256_set1_epi8(char(S.P[Anchor])), k2 = _mm256_set1_epi8(char(S.P[Second]));
    while (I + S.Len + 32 <= N) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(B + I + Anchor));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(B + I + Second));
        const quint32 m = quint32(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, k1), _mm256_cmpeq_epi8(b, k2))));
        I = m ? S.Block<1>(I, m, I + 32) : I + 32;
    }
    return I;
}

// Sixteen starts at a time in the UTF-16 text.
__attribute__((target("avx2"))) qsizetype WideAvx2(TTermScan &S, qsizetype I, qsizetype N, qsizetype Anchor,
                                                   qsizetype Second)
{
    const __m256i k1 = _mm256_set1_epi16(qint16(S.P[Anchor])), k2 = _mm256_set1_epi16(qint16(S.P[Second]));
    while (I + S.Len + 16 <= N) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(S.T + I + Anchor));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(S.T + I + Second));
        const quint32 m = quint32(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi16(a, k1), _mm256_cmpeq_epi16(b, k2))));
        I = m ? S.Block<2>(I, m, I + 16) : I + 16;
    }
    return I;
}

bool HasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

} // namespace

qsizetype ScanVector(TTermScan &S, qsizetype N, qsizetype Anchor, qsizetype Second, const char *Narrow)
{
    qsizetype i = 0;
#ifdef __SSE2__
    bool narrow = Narrow != nullptr;
    S.B = nullptr;
    for (qsizetype k = 0; k < S.Len && narrow; ++k)
        narrow = S.P[k] < 256;
#ifdef KRO_SCAN_AVX2
    if (narrow) S.B = Narrow;
    if (HasAvx2())
        i = narrow ? NarrowAvx2(S, Narrow, i, N, Anchor, Second) : WideAvx2(S, i, N, Anchor, Second);
#endif
    if (narrow) {
        const __m128i k1 = _mm_set1_epi8(char(S.P[Anchor])), k2 = _mm_set1_epi8(char(S.P[Second]));
        while (i + S.Len + 16 <= N) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(Narrow + i + Anchor));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(Narrow + i + Second));
            const quint32 m =
                quint32(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, k1), _mm_cmpeq_epi8(b, k2))));
            i = m ? S.Block<1>(i, m, i + 16) : i + 16;
        }
    }
    const __m128i k1 = _mm_set1_epi16(qint16(S.P[Anchor])), k2 = _mm_set1_epi16(qint16(S.P[Second]));
    while (i + S.Len + 8 <= N) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(S.T + i + Anchor));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(S.T + i + Second));
        const quint32 m =
            quint32(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, k1), _mm_cmpeq_epi16(b, k2))));
        i = m ? S.Block<2>(i, m, i + 8) : i + 8;
    }
#else
    (void)S;
    (void)N;
    (void)Anchor;
    (void)Second;
    (void)Narrow;
#endif
    return i;
}

} // namespace kro::rlscan
