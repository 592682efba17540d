#pragma once
// The query languages of the report list's filter (TReportListView::FilterAndSort).
//
// A query is compiled once and then asked, row by row, whether the texts of the searched cells of
// a row match it. Nothing here touches widgets or the data component.
//
// fmSimple: the row matches when one of its cells contains the query text as it stands (blanks
//   included).
// fmBoolean: words, "quoted phrases", the operators AND, OR, NOT (written in capitals) and
//   parentheses. A word or phrase matches when one of the row's cells contains it; words standing
//   side by side are joined by AND. NOT binds tightest, then AND, then OR:
//   `red green OR NOT "dark blue"` is `(red AND green) OR (NOT "dark blue")`.
//   A phrase keeps everything between its quotes, blanks, parentheses and operator words
//   included; a phrase without its closing quote runs to the end of the query. Parentheses and
//   quotes also separate words ("(red)" is the word red in parentheses). The language is
//   forgiving, because the query is usually typed live into a filter box: an operator without
//   an operand is left out, a missing ")" is taken as given at the end, a ")" without its "(" is
//   skipped, an empty phrase is no word. A query without any word matches every row.
// fmGrep: a regular expression (QRegularExpression, Perl syntax); the row matches when it
//   matches somewhere inside one of the row's cells. An invalid expression is refused: the query
//   is not valid and ErrorString says why.
// Case: with CaseSensitive false, letters compare without regard to case in every language.

#include <krogui/core/types.h>

#include <QAnyStringView>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringMatcher>

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace kro {

namespace RLFilterEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// The query language of a filter: plain text, words with AND/OR/NOT, a regular expression.
enum TFilterMode : int { fmSimple, fmBoolean, fmGrep };
Q_ENUM_NS(TFilterMode)
} // namespace RLFilterEnums
using namespace RLFilterEnums;

/// Asked by the filter for every row before the query is applied to it. Found starts true and
/// CombineWithInternalSearch loAND, so a handler that changes nothing leaves the query's verdict
/// alone. The row's verdict is `Found <op> QueryMatches` (see CombineLogic).
using TBeforeFilterEvent =
    std::function<void(QObject *Sender, int Row, bool &Found, TLogicOp &CombineWithInternalSearch)>;

/// A op B: loAND A and B, loOR A or B, loXOR A differs from B, loANDNOT A and not B, loORNOT
/// A or not B. Any other value counts as loAND.
KROGUI_EXPORT bool CombineLogic(TLogicOp Op, bool A, bool B);

/// The texts of one column in one buffer, so that a whole column is searched in one pass: cell i
/// (0-based) is Text[Start[i] .. Start[i+1]-2]; every cell is followed by a line feed.
struct KROGUI_EXPORT TRLColumnText
{
    QString Text;
    std::vector<quint32> Start; // Cells() + 1 entries
    /// Some cell holds a line break (regular expressions are then tried cell by cell).
    bool HasLineBreaks = false;
    /// Text is valid UTF-16 (no lone surrogates), so a regular expression need not check it.
    bool ValidUtf16 = true;

    int Cells() const { return Start.empty() ? 0 : int(Start.size()) - 1; }
    QStringView Cell(int I) const
    {
        return QStringView(Text).mid(Start[size_t(I)], Start[size_t(I) + 1] - Start[size_t(I)] - 1);
    }
    /// The cell holding text position Pos (a cell's line feed belongs to it).
    int CellAt(qsizetype Pos) const;
    /// The same, looked for from cell From on (From must not lie after the cell wanted).
    int CellAt(qsizetype Pos, int From) const;
    /// Builds the buffer from Count texts. False (and an empty buffer) when the texts are too
    /// long for one buffer or memory runs out.
    bool Build(int Count, const std::function<QString(int)> &Get);
    /// The same from texts read in place (such as TStringArray::GetStringView gives): the cells
    /// are copied straight into the buffer, with no string made per cell.
    bool Build(std::span<const QAnyStringView> Cells);
    /// Text case-folded, made on first use; nullptr when folding would change positions (or no
    /// memory is left), the case-blind search then folds as it goes.
    const QString *Folded() const;
    /// How often each low byte occurs among the code units of Text (Folded = false) or of the
    /// folded text; made on first use. A term is looked for by its rarest unit.
    const std::array<quint32, 256> &UnitCounts(bool Folded) const;
    /// Text (Folded false) or the folded text with one byte per unit, when every unit is below
    /// 256; made on first use. nullptr when some unit is not (or no memory is left).
    const char *Narrow(bool Folded) const;

private:
    void Reset();
    bool FoldInto(QString &Out) const;

    mutable QString FFolded;
    mutable int FFoldState = 0; // 0 not made, 1 made, -1 unusable
    mutable std::array<quint32, 256> FCounts[2] = {};
    mutable bool FCounted[2] = {false, false};
    mutable std::vector<char> FNarrow[2];
    mutable int FNarrowState[2] = {0, 0}; // 0 not made, 1 made, -1 unusable
};

/// A compiled filter query (see the languages above).
class KROGUI_EXPORT TRLFilterQuery
{
public:
    /// A query that matches every row.
    TRLFilterQuery() = default;
    /// Compiles Query in language Mode. Never throws: an invalid regular expression gives a query
    /// whose IsValid is false.
    static TRLFilterQuery Compile(const QString &Query, TFilterMode Mode, bool CaseSensitive);

    /// False only for a regular expression that does not compile.
    bool IsValid() const { return FError.isEmpty(); }
    /// Why the query is not valid (the regular expression's message and position); else empty.
    QString ErrorString() const { return FError; }
    /// True when the query has nothing to look for and so matches every row.
    bool MatchesAll() const { return FRoot < 0 && FMode != fmGrep; }
    /// Whether a row whose searched cells hold Cells matches. An invalid query matches nothing.
    bool Matches(std::span<const QString> Cells) const;
    /// Out[i] := whether row i matches, for rows whose cells are cell i of each of Columns (all of
    /// the same length); the same verdicts as Matches, found column by column.
    void MatchColumns(std::span<const TRLColumnText *const> Columns, std::vector<char> &Out) const;
    /// The compiled expression in prefix form, for diagnostics: AND(a, OR(b, NOT("c d"))); an
    /// empty text when the query matches every row.
    QString Describe() const;

private:
    enum TNodeKind { nkTerm, nkAnd, nkOr, nkNot };
    // AND and OR hold any number of operands (long chains stay flat, so evaluating them needs
    // no deep recursion); NOT holds one.
    struct TNode
    {
        TNodeKind Kind = nkTerm;
        std::vector<int> Kids;
        int Term = -1; // index into FTerms
    };
    class TParser;

    bool Eval(int Node, std::span<const QString> Cells) const;
    bool EvalRow(int Node, size_t Row, const std::vector<std::vector<char>> &TermHits) const;
    void EvalColumns(int Node, const std::vector<std::vector<char>> &TermHits, std::vector<char> &Out) const;
    int Depth(int Node) const;
    void ScanTerm(int Term, const TRLColumnText &Col, std::vector<char> &Hit) const;
    void ScanRegex(const TRLColumnText &Col, std::vector<char> &Hit) const;
    bool TermFound(int Term, std::span<const QString> Cells) const;
    QString DescribeNode(int Node) const;

    TFilterMode FMode = fmSimple;
    std::vector<TNode> FNodes;
    std::vector<QString> FTermText;
    std::vector<QStringMatcher> FTerms;
    std::vector<QStringMatcher> FFoldedTerms; // case-blind queries: the folded terms, matched exactly
    bool FCaseSensitive = false;
    int FRoot = -1;
    QRegularExpression FRegex;
    QRegularExpression FRegexLines; // the same with ^ and $ at line feeds, for whole-column scans
    bool FRegexScans = false;       // the pattern means the same on a column buffer as on one cell
    QString FError;
};

} // namespace kro
