// TStringArray driven by a stream of operations and checked after each one against a plain model:
// a list of records (cells and attribute) in presented order plus the stored order.
// Column 0 of every row holds a unique record tag that the operations never write, so the model
// can follow the records through Sort.
#include "fuzzcommon.h"

#include <krogui/core/error.h>
#include <krogui/data/stringarray.h>

#include <algorithm>
#include <map>
#include <vector>

using namespace kro;
using krofuzz::Check;

namespace {

struct TRecord
{
    int Tag = 0;
    std::vector<QString> Cells; // columns 1..NrCols
    quint8 Attrib = 0;
};

struct TModel
{
    int NrCols = 0;
    std::vector<TRecord> Shown;  // presented order
    std::vector<int> StoredTags; // stored order
    std::vector<quint8> ColAttrib = {0};
    int NextTag = 1;

    int IndexOfTag(int Tag) const
    {
        for (size_t i = 0; i < Shown.size(); ++i)
            if (Shown[i].Tag == Tag) return int(i);
        return -1;
    }
};

QString TagText(int Tag) { return QStringLiteral("#%1").arg(Tag); }

QString Cut(const QString &S)
{
    if (S.size() <= TStringArray::MaxStringLength) return S;
    int n = TStringArray::MaxStringLength;
    if (S[n - 1].isHighSurrogate() && S[n].isLowSurrogate()) --n;
    return S.left(n);
}

TRecord NewRecord(TModel &M, TStringArray &A, int Row)
{
    TRecord r;
    r.Tag = M.NextTag++;
    r.Cells.assign(size_t(M.NrCols), QString());
    A.SetString(0, Row, TagText(r.Tag));
    return r;
}

void Compare(const TModel &M, const TStringArray &A)
{
    Check(A.NrOfColumns() == M.NrCols, "column count");
    Check(A.NrOfRows() == int(M.Shown.size()), "row count");
    for (int c = 0; c <= M.NrCols; ++c)
        Check(A.GetColAttrib(c) == M.ColAttrib[size_t(c)], "column attribute");
    for (int r = 1; r <= A.NrOfRows(); ++r) {
        const TRecord &rec = M.Shown[size_t(r - 1)];
        Check(A.GetString(0, r) == TagText(rec.Tag), "record tag (row order)");
        Check(A.GetRowAttrib(r) == rec.Attrib, "row attribute");
        for (int c = 1; c <= M.NrCols; ++c) {
            Check(A.GetString(c, r) == rec.Cells[size_t(c - 1)], "cell text");
            Check(A.GetStringView(c, r) == rec.Cells[size_t(c - 1)], "cell view");
            Check(A.GetLength(c, r) == rec.Cells[size_t(c - 1)].size(), "cell length");
        }
        const int stored = A.GetSortOrder(r);
        Check(stored >= 1 && stored <= A.NrOfRows() && M.StoredTags[size_t(stored - 1)] == rec.Tag, "stored order");
    }
    Check(A.GetString(1, 0).isEmpty() && A.GetString(M.NrCols + 1, 1).isEmpty(), "outside the array is not empty");
}

void Op(TModel &M, TStringArray &A, krofuzz::TInput &In)
{
    const int n = int(M.Shown.size());
    switch (In.Byte() % 12) {
    case 0: { // Resize
        const int cols = In.Byte() % 6, rows = In.Byte() % 48;
        A.Resize(cols, rows);
        M.NrCols = cols;
        M.ColAttrib.resize(size_t(cols) + 1, 0);
        for (TRecord &r : M.Shown)
            r.Cells.resize(size_t(cols));
        while (int(M.Shown.size()) > rows) {
            const int tag = M.Shown.back().Tag;
            M.Shown.pop_back();
            M.StoredTags.erase(std::find(M.StoredTags.begin(), M.StoredTags.end(), tag));
        }
        while (int(M.Shown.size()) < rows) {
            TRecord r = NewRecord(M, A, int(M.Shown.size()) + 1);
            M.StoredTags.push_back(r.Tag);
            M.Shown.push_back(std::move(r));
        }
        break;
    }
    case 1:
    case 2: { // SetString (columns 1.., rows maybe outside)
        const int c = 1 + In.Byte() % 6, r = In.Byte() % 50;
        const QString s = In.ShortText(255) + (In.Byte() & 1 ? QString(300, QChar(0x00E9)) : QString());
        A.SetString(c, r, s);
        if (c <= M.NrCols && r >= 1 && r <= n) M.Shown[size_t(r - 1)].Cells[size_t(c - 1)] = Cut(s);
        break;
    }
    case 3: { // Clear, then the tags go back
        A.Clear();
        for (int r = 1; r <= n; ++r) {
            std::fill(M.Shown[size_t(r - 1)].Cells.begin(), M.Shown[size_t(r - 1)].Cells.end(), QString());
            A.SetString(0, r, TagText(M.Shown[size_t(r - 1)].Tag));
        }
        break;
    }
    case 4: { // InsertRow
        const int r = In.Byte() % 50;
        A.InsertRow(r);
        if (r < 1 || r > n + 1) break;
        TRecord rec = NewRecord(M, A, r);
        if (r == n + 1)
            M.StoredTags.push_back(rec.Tag);
        else
            M.StoredTags.insert(std::find(M.StoredTags.begin(), M.StoredTags.end(), M.Shown[size_t(r - 1)].Tag),
                                rec.Tag);
        M.Shown.insert(M.Shown.begin() + (r - 1), std::move(rec));
        break;
    }
    case 5: { // RemoveRow
        const int r = In.Byte() % 50;
        A.RemoveRow(r);
        if (r < 1 || r > n) break;
        M.StoredTags.erase(std::find(M.StoredTags.begin(), M.StoredTags.end(), M.Shown[size_t(r - 1)].Tag));
        M.Shown.erase(M.Shown.begin() + (r - 1));
        break;
    }
    case 6: { // Sort: the model follows the records by their tags
        const int c = In.Byte() % 7, c2 = In.Byte() % 7;
        A.Sort(c, c2, In.Byte() & 1);
        if (c > M.NrCols) break;
        std::map<QString, TRecord> byTag;
        for (TRecord &r : M.Shown)
            byTag[TagText(r.Tag)] = std::move(r);
        for (int r = 1; r <= n; ++r) {
            auto it = byTag.find(A.GetString(0, r));
            Check(it != byTag.end(), "Sort lost or duplicated a record");
            M.Shown[size_t(r - 1)] = std::move(it->second);
            byTag.erase(it);
        }
        break;
    }
    case 7:
        A.UnSort();
        for (size_t i = 0; i < M.StoredTags.size(); ++i) {
            const int at = M.IndexOfTag(M.StoredTags[i]);
            std::swap(M.Shown[i], M.Shown[size_t(at)]);
        }
        break;
    case 8:
        A.CommitSorting();
        for (size_t i = 0; i < M.Shown.size(); ++i)
            M.StoredTags[i] = M.Shown[i].Tag;
        break;
    case 9: { // SetSortOrder
        const int r = In.Byte() % 50, v = In.Byte() % 50;
        A.SetSortOrder(r, v);
        if (r < 1 || r > n || v < 1 || v > n) break;
        const int at = M.IndexOfTag(M.StoredTags[size_t(v - 1)]);
        std::swap(M.Shown[size_t(r - 1)], M.Shown[size_t(at)]);
        break;
    }
    case 10: { // row attribute
        const int r = In.Byte() % 50;
        const quint8 v = In.Byte();
        A.SetRowAttrib(r, v);
        if (r >= 1 && r <= n) M.Shown[size_t(r - 1)].Attrib = v;
        break;
    }
    default: { // column attribute
        const int c = In.Byte() % 8 - 1;
        const quint8 v = In.Byte();
        A.SetColAttrib(c, v);
        if (c >= 0 && c <= M.NrCols) M.ColAttrib[size_t(c)] = v;
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    TStringArray a;
    a.SetAllocRowsBy(1 + in.Byte() % 8);
    TModel m;
    int ops = 0;
    while (!in.Empty() && ops++ < 200) {
        try {
            Op(m, a, in);
        } catch (const EKROError &) {
            krofuzz::Fail("an operation within limits raised");
        }
        Compare(m, a);
    }
    // A copy presents the same rows and keeps the stored order.
    TStringArray copy;
    copy.Assign(&a);
    Compare(m, copy);
    copy.UnSort();
    for (int r = 1; r <= copy.NrOfRows(); ++r)
        Check(copy.GetString(0, r) == TagText(m.StoredTags[size_t(r - 1)]), "a copy lost the stored order");
    return 0;
}
