#pragma once
// Vector scans for the terms of the report list's filter over a whole column text. Not installed.

#include <krogui/replist/rlfilter.h>

#include <vector>

namespace kro::rlscan {

/// One term looked for in one column text: candidate starts, where the term's two rarest units
/// stand, are compared in full; an occurrence must end inside its cell, which is then marked in
/// Hit.
struct TTermScan
{
    const TRLColumnText &Col;
    std::vector<char> &Hit;
    const char16_t *T; // the text searched (the column's text or its folded text)
    const char16_t *P; // the term
    qsizetype Len;
    const char *B = nullptr; // T with one byte per unit, when the scan runs in that
    qsizetype Pos = 0;       // the earliest start still wanted
    int From = 0;            // occurrences come in order: the cell is looked for from the last one on

    /// Takes the candidates of the block starting at I (Bits mask bits per start: 1 when the
    /// scan runs in B, 2 in T); returns where the next block starts.
    template <int Bits> qsizetype Block(qsizetype I, quint64 M, qsizetype After);
};

/// Scans for S's term, the units at Anchor and Second being the ones to look for, in blocks of
/// starts as long as the text lasts for a whole block. Narrow, when not null, is the same text
/// one byte per unit. Returns the first start not looked at; the caller goes on from
/// max(S.Pos, that start).
qsizetype ScanVector(TTermScan &S, qsizetype N, qsizetype Anchor, qsizetype Second, const char *Narrow);

} // namespace kro::rlscan
