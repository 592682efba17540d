#pragma once
// TIntMatrix: a 1-based matrix of integers.

#include <krogui/kroguiexport.h>

#include <vector>

namespace kro {

/// A matrix of ints addressed (column, row), both from 1, stored row by row so that adding rows
/// (SetNRows) keeps the existing ones in place. Indices outside give 0 and writes to them do
/// nothing. A negative size, or one that cannot be had, raises EKROError and changes nothing.
class KROGUI_EXPORT TIntMatrix
{
public:
    /// A matrix of NrCols x NrRows zeros (raises EKROError for a negative size).
    explicit TIntMatrix(int NrCols = 0, int NrRows = 0);

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    /// Sizes the matrix; values inside both sizes stay, new ones are 0.
    void Resize(int NrCols, int NrRows);
    /// Sets the number of rows, keeping the columns (Resize(NrOfColumns(), NrRows)).
    void SetNRows(int NrRows);
    /// Sets the number of columns, keeping the rows.
    void SetNCols(int NrCols);

    /// Value at (Col, Row); 0 outside.
    int GetVal(int Col, int Row) const;
    /// Stores Value at (Col, Row); nothing outside.
    void SetVal(int Col, int Row, int Value);
    /// Sets every value.
    void Fill(int Value);

private:
    int FNrCols = 0;
    int FNrRows = 0;
    std::vector<int> FData; // row by row
};

} // namespace kro
