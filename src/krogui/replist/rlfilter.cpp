#include <krogui/replist/rlfilter.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

namespace kro {

bool CombineLogic(TLogicOp Op, bool A, bool B)
{
    switch (Op) {
    case loOR:
        return A || B;
    case loXOR:
        return A != B;
    case loANDNOT:
        return A && !B;
    case loORNOT:
        return A || !B;
    case loAND:
    default:
        return A && B;
    }
}

// ---- the boolean language -------------------------------------------------------------------

namespace {

enum TTokKind { tkWord, tkAnd, tkOr, tkNot, tkOpen, tkClose, tkEnd };

struct TToken
{
    TTokKind Kind = tkEnd;
    QString Text;
};

std::vector<TToken> Tokenize(const QString &Q)
{
    std::vector<TToken> out;
    const qsizetype n = Q.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar ch = Q.at(i);
        if (ch.isSpace()) {
            ++i;
        } else if (ch == QLatin1Char('(') || ch == QLatin1Char(')')) {
            out.push_back({ch == QLatin1Char('(') ? tkOpen : tkClose, QString()});
            ++i;
        } else if (ch == QLatin1Char('"')) {
            const qsizetype close = Q.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            const QString phrase = Q.mid(i + 1, end - i - 1);
            if (!phrase.isEmpty()) out.push_back({tkWord, phrase}); // a phrase is never an operator
            i = close < 0 ? n : close + 1;
        } else {
            qsizetype j = i;
            while (j < n && !Q.at(j).isSpace() && Q.at(j) != QLatin1Char('(') &&
                   Q.at(j) != QLatin1Char(')') && Q.at(j) != QLatin1Char('"'))
                ++j;
            const QString word = Q.mid(i, j - i);
            TTokKind kind = tkWord;
            if (word == QLatin1String("AND"))
                kind = tkAnd;
            else if (word == QLatin1String("OR"))
                kind = tkOr;
            else if (word == QLatin1String("NOT"))
                kind = tkNot;
            out.push_back({kind, word});
            i = j;
        }
    }
    out.push_back({tkEnd, QString()});
    return out;
}

} // namespace

// Recursive descent; a missing operand is -1 and simply drops out of its operator.
class TRLFilterQuery::TParser
{
public:
    TParser(TRLFilterQuery &Q, std::vector<TToken> Tokens) : FQ(Q), FTok(std::move(Tokens)) {}

    int ParseAll()
    {
        int root = ParseOr();
        while (Peek() != tkEnd) {
            ++FPos; // a stray ")" (or whatever stopped the expression) is skipped
            root = Combine(nkAnd, root, ParseOr());
        }
        return root;
    }

private:
    TTokKind Peek() const { return FTok[FPos].Kind; }

    int Combine(TNodeKind Kind, int L, int R)
    {
        if (L < 0) return R;
        if (R < 0) return L;
        // Both operators are associative: a chain grows one node instead of a deep tree.
        if (FQ.FNodes[size_t(L)].Kind == Kind) {
            FQ.FNodes[size_t(L)].Kids.push_back(R);
            return L;
        }
        FQ.FNodes.push_back({Kind, {L, R}, -1});
        return int(FQ.FNodes.size()) - 1;
    }

    int ParseOr()
    {
        int left = ParseAnd();
        while (Peek() == tkOr) {
            ++FPos;
            left = Combine(nkOr, left, ParseAnd());
        }
        return left;
    }

    int ParseAnd()
    {
        int left = ParseUnary();
        for (;;) {
            const TTokKind k = Peek();
            if (k == tkAnd) {
                ++FPos;
                left = Combine(nkAnd, left, ParseUnary());
            } else if (k == tkWord || k == tkNot || k == tkOpen) {
                left = Combine(nkAnd, left, ParseUnary()); // words side by side
            } else {
                return left;
            }
        }
    }

    int ParseUnary()
    {
        // Nesting deeper than anyone types is flattened: the extra operators are left out, so
        // a hostile query cannot exhaust the stack.
        if (FDepth >= MaxDepth)
            while (Peek() == tkNot || Peek() == tkOpen)
                ++FPos;
        switch (Peek()) {
        case tkNot: {
            ++FPos;
            ++FDepth;
            const int operand = ParseUnary();
            --FDepth;
            if (operand < 0) return -1;
            FQ.FNodes.push_back({nkNot, {operand}, -1});
            return int(FQ.FNodes.size()) - 1;
        }
        case tkOpen: {
            ++FPos;
            ++FDepth;
            const int inner = ParseOr();
            --FDepth;
            if (Peek() == tkClose) ++FPos;
            return inner;
        }
        case tkWord: {
            const QString &text = FTok[FPos++].Text;
            FQ.FTermText.push_back(text);
            FQ.FNodes.push_back({nkTerm, {}, int(FQ.FTermText.size()) - 1});
            return int(FQ.FNodes.size()) - 1;
        }
        default:
            return -1; // an operator or ")" where an operand belongs: it has none
        }
    }

    static constexpr int MaxDepth = 64;
    TRLFilterQuery &FQ;
    std::vector<TToken> FTok;
    size_t FPos = 0;
    int FDepth = 0;
};

// ---- compiling and matching -------------------------------------------------------------------

TRLFilterQuery TRLFilterQuery::Compile(const QString &Query, TFilterMode Mode, bool CaseSensitive)
{
    TRLFilterQuery q;
    q.FMode = Mode;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (Mode) {
    case fmGrep: {
        q.FRegex = QRegularExpression(Query, CaseSensitive ? QRegularExpression::NoPatternOption
                                                           : QRegularExpression::CaseInsensitiveOption);
        if (!q.FRegex.isValid()) {
            q.FError = QStringLiteral("%1 at offset %2")
                           .arg(q.FRegex.errorString())
                           .arg(q.FRegex.patternErrorOffset());
            return q;
        }
        q.FRegex.optimize();
        // Anchors to the whole subject and look-arounds would see past a cell's end inside a
        // column buffer: such patterns are tried cell by cell.
        static const char *const cellOnly[] = {"\\A", "\\z", "\\Z", "\\G", "\\K",
                                               "(?<", "(?=", "(?!", "(?(", "(*"};
        q.FRegexScans = true;
        for (const char *t : cellOnly)
            if (Query.contains(QLatin1String(t))) q.FRegexScans = false;
        if (q.FRegexScans) {
            q.FRegexLines =
                QRegularExpression(Query, q.FRegex.patternOptions() | QRegularExpression::MultilineOption);
            q.FRegexScans = q.FRegexLines.isValid();
            q.FRegexLines.optimize();
        }
        return q;
    }
    case fmBoolean: {
        TParser p(q, Tokenize(Query));
        q.FRoot = p.ParseAll();
        break;
    }
    case fmSimple:
    default:
        q.FMode = fmSimple;
        if (!Query.isEmpty()) {
            q.FTermText.push_back(Query);
            q.FNodes.push_back({nkTerm, {}, 0});
            q.FRoot = 0;
        }
        break;
    }
    q.FCaseSensitive = CaseSensitive;
    q.FTerms.reserve(q.FTermText.size());
    for (const QString &t : q.FTermText) {
        q.FTerms.emplace_back(t, cs);
        if (!CaseSensitive) q.FFoldedTerms.emplace_back(t.toCaseFolded(), Qt::CaseSensitive);
    }
    return q;
}

bool TRLFilterQuery::TermFound(int Term, std::span<const QString> Cells) const
{
    const QStringMatcher &m = FTerms[size_t(Term)];
    for (const QString &c : Cells)
        if (m.indexIn(c) >= 0) return true;
    return false;
}

bool TRLFilterQuery::Eval(int Node, std::span<const QString> Cells) const
{
    const TNode &n = FNodes[size_t(Node)];
    switch (n.Kind) {
    case nkTerm:
        return TermFound(n.Term, Cells);
    case nkAnd:
        for (int k : n.Kids)
            if (!Eval(k, Cells)) return false;
        return true;
    case nkOr:
        for (int k : n.Kids)
            if (Eval(k, Cells)) return true;
        return false;
    case nkNot:
        return !Eval(n.Kids.front(), Cells);
    }
    return false;
}

bool TRLFilterQuery::Matches(std::span<const QString> Cells) const
{
    if (!IsValid()) return false;
    if (FMode == fmGrep) {
        for (const QString &c : Cells)
            if (FRegex.match(c).hasMatch()) return true;
        return false;
    }
    return FRoot < 0 || Eval(FRoot, Cells);
}

// ---- whole columns ----------------------------------------------------------------------------

int TRLColumnText::CellAt(qsizetype Pos) const
{
    const auto it = std::upper_bound(Start.begin(), Start.end(), quint32(Pos));
    return int(it - Start.begin()) - 1;
}

void TRLColumnText::Reset()
{
    Text.clear();
    Start.clear();
    HasLineBreaks = false;
    ValidUtf16 = true;
    FFolded = QString();
    FFoldState = 0;
    FCounted[0] = FCounted[1] = false;
}

bool TRLColumnText::Build(int Count, const std::function<QString(int)> &Get)
{
    Reset();
    try {
        Start.reserve(size_t(Count) + 1);
        for (int i = 0; i < Count; ++i) {
            const QString t = Get(i);
            if (Text.size() + t.size() + 1 >= qsizetype(std::numeric_limits<quint32>::max() / 2))
                throw std::bad_alloc();
            Start.push_back(quint32(Text.size()));
            if (!HasLineBreaks)
                for (QChar ch : t) {
                    // \n \v \f \r, NEL, LS and PS: every line end a regular expression may know
                    const char16_t u = ch.unicode();
                    if ((u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029) {
                        HasLineBreaks = true;
                        break;
                    }
                }
            Text += t;
            Text += QLatin1Char('\n');
        }
        Start.push_back(quint32(Text.size()));
        ValidUtf16 = QStringView(Text).isValidUtf16();
    } catch (const std::bad_alloc &) {
        Text = QString();
        std::vector<quint32>().swap(Start);
        return false;
    }
    return true;
}

bool TRLColumnText::Build(std::span<const QAnyStringView> Cells)
{
    // UTF-8 views would change length when converted: they take the general way.
    quint64 total = Cells.size();
    for (const QAnyStringView &v : Cells) {
        bool utf8 = false;
        v.visit([&](auto s) { utf8 = std::is_same_v<decltype(s), QUtf8StringView>; });
        if (utf8) return Build(int(Cells.size()), [&](int I) { return Cells[size_t(I)].toString(); });
        total += quint64(v.size());
    }
    Reset();
    if (total >= std::numeric_limits<quint32>::max() / 2) return false;
    try {
        Start.resize(Cells.size() + 1);
        Text = QString(qsizetype(total), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        Reset();
        std::vector<quint32>().swap(Start);
        return false;
    }
    char16_t *out = reinterpret_cast<char16_t *>(Text.data());
    quint32 pos = 0;
    bool wide = false;
    for (size_t i = 0; i < Cells.size(); ++i) {
        Start[i] = pos;
        Cells[i].visit([&](auto s) {
            if constexpr (std::is_same_v<decltype(s), QLatin1StringView>) {
                const uchar *b = reinterpret_cast<const uchar *>(s.data());
                for (qsizetype k = 0; k < s.size(); ++k)
                    out[pos + k] = b[k];
            } else if constexpr (std::is_same_v<decltype(s), QStringView>) {
                if (!s.isEmpty()) std::memcpy(out + pos, s.utf16(), size_t(s.size()) * 2);
                wide = true;
            }
        });
        pos += quint32(Cells[i].size());
        out[pos++] = u'\n';
    }
    Start[Cells.size()] = pos;
    // \n \v \f \r, NEL, LS and PS: every line end a regular expression may know. Each cell
    // brings one line feed of its own.
    quint64 ends = 0;
    for (quint32 k = 0; k < pos; ++k) {
        const char16_t u = out[k];
        ends += (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
    }
    HasLineBreaks = ends > Cells.size();
    ValidUtf16 = !wide || QStringView(Text).isValidUtf16();
    return true;
}

namespace {

constexpr char16_t NoSimpleFold = 0xFFFF;

// How QString::toCaseFolded folds each Latin-1 unit; NoSimpleFold where it gives more than one.
const std::array<char16_t, 256> &Latin1Folds()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int c = 0; c < 256; ++c) {
            const QString f = QString(QChar(c)).toCaseFolded();
            t[size_t(c)] = f.size() == 1 ? f.at(0).unicode() : NoSimpleFold;
        }
        return t;
    }();
    return table;
}

} // namespace

bool TRLColumnText::FoldInto(QString &Out) const
{
    // Folding maps code point by code point, so the text is folded piecewise: blocks of ASCII
    // at once, other Latin-1 units from a table, and every run of the remaining units (which
    // keeps surrogate pairs whole) by QString itself. False when folding changes the length.
    const qsizetype n = Text.size();
    Out = QString(n, Qt::Uninitialized);
    const char16_t *in = reinterpret_cast<const char16_t *>(Text.utf16());
    char16_t *out = reinterpret_cast<char16_t *>(Out.data());
    const std::array<char16_t, 256> &table = Latin1Folds();
    auto simple = [&](char16_t U) { return U < 256 && table[U] != NoSimpleFold; };
    constexpr qsizetype Block = 16;
    qsizetype i = 0;
    while (i < n) {
        if (n - i >= Block) {
            char16_t any = 0;
            for (qsizetype k = 0; k < Block; ++k)
                any |= in[i + k];
            if (any < 0x80) {
                for (qsizetype k = 0; k < Block; ++k) {
                    const char16_t u = in[i + k];
                    out[i + k] = char16_t(u + (char16_t(u - u'A') < 26 ? 32 : 0));
                }
                i += Block;
                continue;
            }
        }
        if (simple(in[i])) {
            out[i] = table[in[i]];
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && !simple(in[j]))
            ++j;
        const QString f = QStringView(in + i, j - i).toString().toCaseFolded();
        if (f.size() != j - i) return false;
        std::memcpy(out + i, f.utf16(), size_t(j - i) * 2);
        i = j;
    }
    return true;
}

const QString *TRLColumnText::Folded() const
{
    if (FFoldState == 0) {
        try {
            FFoldState = FoldInto(FFolded) ? 1 : -1;
        } catch (const std::bad_alloc &) {
            FFoldState = -1;
        }
        if (FFoldState < 0) FFolded = QString();
    }
    return FFoldState > 0 ? &FFolded : nullptr;
}

const std::array<quint32, 256> &TRLColumnText::UnitCounts(bool UseFolded) const
{
    const int k = UseFolded ? 1 : 0;
    if (!FCounted[k]) {
        FCounts[k].fill(0);
        const QString &t = UseFolded && FFoldState > 0 ? FFolded : Text;
        for (QChar ch : t)
            ++FCounts[k][ch.unicode() & 0xFF];
        FCounted[k] = true;
    }
    return FCounts[k];
}

void TRLFilterQuery::ScanTerm(int Term, const TRLColumnText &Col, std::vector<char> &Hit) const
{
    // A case-blind term is looked for exactly in the folded text (folding keeps every position).
    // The search runs to the term's rarest unit (a vectorised character search) and compares
    // the term around it; an occurrence that runs into the next cell is none.
    const QString *folded = FCaseSensitive ? nullptr : Col.Folded();
    if (!FCaseSensitive && !folded) {
        // Folding would move positions: fold as we go, cell by cell.
        const QStringMatcher &m = FTerms[size_t(Term)];
        for (int i = 0; i < Col.Cells(); ++i)
            if (!Hit[size_t(i)] && m.indexIn(Col.Cell(i)) >= 0) Hit[size_t(i)] = 1;
        return;
    }
    const QString &term = folded ? FFoldedTerms[size_t(Term)].pattern() : FTermText[size_t(Term)];
    const QStringView text(folded ? *folded : Col.Text);
    const qsizetype len = term.size();
    const std::array<quint32, 256> &counts = Col.UnitCounts(folded != nullptr);
    qsizetype anchor = 0;
    for (qsizetype i = 1; i < len; ++i)
        if (counts[term.at(i).unicode() & 0xFF] < counts[term.at(anchor).unicode() & 0xFF]) anchor = i;
    const QChar key = term.at(anchor);
    const QStringView pattern(term);
    qsizetype pos = 0; // the earliest start still wanted
    for (;;) {
        const qsizetype at = text.indexOf(key, pos + anchor);
        if (at < 0) return;
        const qsizetype start = at - anchor;
        if (start + len > text.size()) return;
        if (text.mid(start, len) != pattern) {
            pos = start + 1;
            continue;
        }
        const int cell = Col.CellAt(start);
        const qsizetype next = Col.Start[size_t(cell) + 1];
        if (start + len <= next - 1) {
            Hit[size_t(cell)] = 1;
            pos = next;
        } else {
            pos = start + 1;
        }
    }
}

void TRLFilterQuery::ScanRegex(const TRLColumnText &Col, std::vector<char> &Hit) const
{
    const int n = Col.Cells();
    // Invalid UTF-16 anywhere would fail a whole-column match: only that cell may fail.
    if (!FRegexScans || Col.HasLineBreaks || !Col.ValidUtf16) {
        for (int i = 0; i < n; ++i)
            if (!Hit[size_t(i)] && FRegex.match(Col.Cell(i)).hasMatch()) Hit[size_t(i)] = 1;
        return;
    }
    const QStringView text(Col.Text);
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QRegularExpressionMatch m =
            FRegexLines.match(text, pos, QRegularExpression::NormalMatch,
                              QRegularExpression::DontCheckSubjectStringMatchOption);
        if (!m.hasMatch()) return;
        const qsizetype from = m.capturedStart(), to = m.capturedEnd();
        if (from >= text.size()) return; // an empty match after the last cell's line feed
        const int first = Col.CellAt(from);
        if (to <= qsizetype(Col.Start[size_t(first) + 1]) - 1) {
            Hit[size_t(first)] = 1;
            pos = Col.Start[size_t(first) + 1];
            continue;
        }
        // The match ran over a cell's end: the cells it touched are tried on their own.
        const int last = std::min(Col.CellAt(to - 1), n - 1);
        for (int i = first; i <= last; ++i)
            if (!Hit[size_t(i)] && FRegex.match(Col.Cell(i)).hasMatch()) Hit[size_t(i)] = 1;
        pos = Col.Start[size_t(last) + 1];
    }
}

bool TRLFilterQuery::EvalRow(int Node, size_t Row, const std::vector<std::vector<char>> &TermHits) const
{
    const TNode &n = FNodes[size_t(Node)];
    switch (n.Kind) {
    case nkTerm:
        return TermHits[size_t(n.Term)][Row];
    case nkAnd:
        for (int k : n.Kids)
            if (!EvalRow(k, Row, TermHits)) return false;
        return true;
    case nkOr:
        for (int k : n.Kids)
            if (EvalRow(k, Row, TermHits)) return true;
        return false;
    case nkNot:
        return !EvalRow(n.Kids.front(), Row, TermHits);
    }
    return false;
}

void TRLFilterQuery::MatchColumns(std::span<const TRLColumnText *const> Columns, std::vector<char> &Out) const
{
    const size_t rows = Columns.empty() ? Out.size() : size_t(Columns.front()->Cells());
    if (!IsValid() || (Columns.empty() && !MatchesAll())) {
        Out.assign(rows, 0);
        return;
    }
    if (MatchesAll()) {
        Out.assign(rows, 1);
        return;
    }
    if (FMode == fmGrep) {
        Out.assign(rows, 0);
        for (const TRLColumnText *c : Columns)
            ScanRegex(*c, Out);
        return;
    }
    std::vector<std::vector<char>> hits(FTerms.size(), std::vector<char>(rows, 0));
    for (size_t t = 0; t < FTerms.size(); ++t)
        for (const TRLColumnText *c : Columns)
            ScanTerm(int(t), *c, hits[t]);
    Out.resize(rows);
    for (size_t r = 0; r < rows; ++r)
        Out[r] = EvalRow(FRoot, r, hits) ? 1 : 0;
}

QString TRLFilterQuery::DescribeNode(int Node) const
{
    const TNode &n = FNodes[size_t(Node)];
    switch (n.Kind) {
    case nkTerm: {
        const QString &t = FTermText[size_t(n.Term)];
        const bool plain = !t.contains(QLatin1Char(' ')) && !t.contains(QLatin1Char('(')) &&
                           !t.contains(QLatin1Char(')')) && !t.contains(QLatin1Char(','));
        return plain ? t : QLatin1Char('"') + t + QLatin1Char('"');
    }
    case nkAnd:
    case nkOr: {
        QStringList parts;
        for (int k : n.Kids)
            parts << DescribeNode(k);
        return (n.Kind == nkAnd ? QStringLiteral("AND(") : QStringLiteral("OR(")) +
               parts.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    case nkNot:
        return QStringLiteral("NOT(%1)").arg(DescribeNode(n.Kids.front()));
    }
    return QString();
}

QString TRLFilterQuery::Describe() const
{
    if (FMode == fmGrep) return FRegex.pattern();
    return FRoot < 0 ? QString() : DescribeNode(FRoot);
}

} // namespace kro
