#include <krogui/data/intmatrix.h>

#include <krogui/core/error.h>
#include <krogui/core/memguard.h>

#include <algorithm>
#include <new>

namespace kro {

TIntMatrix::TIntMatrix(int NrCols, int NrRows)
{
    Resize(NrCols, NrRows);
}

void TIntMatrix::Resize(int NrCols, int NrRows)
{
    if (NrCols < 0 || NrRows < 0)
        throw EKROError(QStringLiteral("TIntMatrix.Resize: negative size %1 x %2").arg(NrCols).arg(NrRows));
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    quint64 cells = 0, bytes = 0;
    if (!CheckedMul(quint64(NrCols), quint64(NrRows), cells) || !CheckedMul(cells, sizeof(int), bytes) ||
        !StorageObtainable(bytes))
        throw EKROError(QStringLiteral("TIntMatrix.Resize: %1 x %2 cannot be had").arg(NrCols).arg(NrRows));
    try {
        if (NrCols == FNrCols) {
            // Rows only: the existing rows stay where they are.
            FData.resize(size_t(cells), 0);
        } else {
            std::vector<int> data(size_t(cells), 0);
            const int keepCols = std::min(NrCols, FNrCols), keepRows = std::min(NrRows, FNrRows);
            for (int r = 0; r < keepRows; ++r)
                std::copy_n(FData.begin() + ptrdiff_t(r) * FNrCols, keepCols,
                            data.begin() + ptrdiff_t(r) * NrCols);
            FData.swap(data);
        }
    } catch (const std::bad_alloc &) {
        throw EKROError(
            QStringLiteral("TIntMatrix.Resize: not enough memory for %1 x %2").arg(NrCols).arg(NrRows));
    }
    FNrCols = NrCols;
    FNrRows = NrRows;
}

void TIntMatrix::SetNRows(int NrRows)
{
    Resize(FNrCols, NrRows);
}

void TIntMatrix::SetNCols(int NrCols)
{
    Resize(NrCols, FNrRows);
}

int TIntMatrix::GetVal(int Col, int Row) const
{
    if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return 0;
    return FData[size_t(Row - 1) * size_t(FNrCols) + size_t(Col - 1)];
}

void TIntMatrix::SetVal(int Col, int Row, int Value)
{
    if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return;
    FData[size_t(Row - 1) * size_t(FNrCols) + size_t(Col - 1)] = Value;
}

void TIntMatrix::Fill(int Value)
{
    std::fill(FData.begin(), FData.end(), Value);
}

} // namespace kro
