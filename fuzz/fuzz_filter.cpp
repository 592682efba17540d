// The filter queries in each language (plain text, boolean words, regular expressions) run over a
// few rows of fuzzed cells. The row-by-row and the column-wise evaluation must agree.
#include "fuzzcommon.h"

#include <krogui/replist/rlfilter.h>

#include <vector>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const quint8 flags = in.Byte();
    const auto mode = TFilterMode(flags % 3);
    const bool caseSensitive = flags & 4;
    const int nCols = 1 + (flags >> 3) % 3;
    const QString query = in.ShortText(64);
    // Rows are separated by U+001E, cells by U+001F, so that cells may hold line breaks.
    const QStringList rowTexts = in.RestText().split(QChar(0x1E));
    std::vector<std::vector<QString>> rows;
    for (const QString &rt : rowTexts) {
        QStringList cells = rt.split(QChar(0x1F));
        std::vector<QString> row(static_cast<size_t>(nCols));
        for (int c = 0; c < nCols && c < cells.size(); ++c)
            row[size_t(c)] = cells[c];
        rows.push_back(std::move(row));
        if (rows.size() >= 64) break;
    }

    const TRLFilterQuery q = TRLFilterQuery::Compile(query, mode, caseSensitive);
    (void)q.Describe();
    Check(mode == fmGrep || q.IsValid(), "only a regular expression may be invalid");

    std::vector<TRLColumnText> cols(static_cast<size_t>(nCols));
    for (int c = 0; c < nCols; ++c)
        if (!cols[size_t(c)].Build(int(rows.size()), [&](int r) { return rows[size_t(r)][size_t(c)]; }))
            return 0;
    std::vector<const TRLColumnText *> colPtrs;
    for (const TRLColumnText &c : cols) {
        Check(c.Cells() == int(rows.size()), "column text cell count");
        colPtrs.push_back(&c);
    }
    for (int c = 0; c < nCols; ++c)
        for (size_t r = 0; r < rows.size(); ++r)
            Check(cols[size_t(c)].Cell(int(r)) == rows[r][size_t(c)], "column text does not give the cell back");

    std::vector<char> verdicts;
    q.MatchColumns(colPtrs, verdicts);
    Check(verdicts.size() == rows.size(), "MatchColumns verdict count");
    for (size_t r = 0; r < rows.size(); ++r) {
        const bool one = q.Matches(rows[r]);
        if (one != bool(verdicts[r])) krofuzz::Fail("Matches and MatchColumns disagree");
        if (!q.IsValid()) Check(!one, "an invalid query matched");
    }
    return 0;
}
