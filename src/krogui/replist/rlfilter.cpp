#include <krogui/replist/rlfilter.h>

#include <krogui/replist/rlscan_p.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
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
        // Inline options ("(?-m)", "(?^)", "(?s)") could switch the line mode the column scan relies
        // on: such patterns are tried cell by cell too.
        static const QRegularExpression inlineOptions(QStringLiteral("\\(\\?[-\\^a-zA-Z]"));
        if (inlineOptions.match(Query).hasMatch()) q.FRegexScans = false;
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

int TRLColumnText::CellAt(qsizetype Pos, int From) const
{
    // Galloping from cell From (which must not lie after Pos): occurrences found one after the
    // other are usually close together.
    size_t lo = size_t(std::max(From, 0)), step = 1, hi = lo + 1;
    while (hi < Start.size() && Start[hi] <= quint32(Pos)) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    hi = std::min(hi, Start.size());
    const auto it =
        std::upper_bound(Start.begin() + qsizetype(lo), Start.begin() + qsizetype(hi), quint32(Pos));
    return int(it - Start.begin()) - 1;
}

int TRLColumnText::CellAt(qsizetype Pos) const
{
    const auto it = std::upper_bound(Start.begin(), Start.end(), quint32(Pos));
    return int(it - Start.begin()) - 1;
}

namespace {

// Line ends among N units: \n \v \f \r, NEL, LS and PS, every line end a regular expression
// may know.
quint64 CountLineEnds(const char16_t *P, size_t N)
{
    quint64 count = 0;
    size_t i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi16(0x0A), vt = _mm_set1_epi16(0x0B), ff = _mm_set1_epi16(0x0C),
                  cr = _mm_set1_epi16(0x0D), nel = _mm_set1_epi16(0x85), ls = _mm_set1_epi16(0x2028),
                  ps = _mm_set1_epi16(0x2029);
    while (i + 8 <= N) {
        // Eight tallies of 16 bits, emptied before they could overflow.
        __m128i tally = _mm_setzero_si128();
        for (int round = 0; round < 0x7FFF && i + 8 <= N; ++round, i += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(P + i));
            __m128i m = _mm_or_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(v, vt));
            m = _mm_or_si128(m, _mm_or_si128(_mm_cmpeq_epi16(v, ff), _mm_cmpeq_epi16(v, cr)));
            m = _mm_or_si128(m, _mm_or_si128(_mm_cmpeq_epi16(v, nel), _mm_cmpeq_epi16(v, ls)));
            m = _mm_or_si128(m, _mm_cmpeq_epi16(v, ps));
            tally = _mm_sub_epi16(tally, m); // a match is -1
        }
        alignas(16) quint16 lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes), tally);
        for (quint16 l : lanes)
            count += l;
    }
#endif
    for (; i < N; ++i) {
        const char16_t u = P[i];
        count += (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
    }
    return count;
}

// Latin-1 bytes to UTF-16 units.
inline void Widen(const uchar *S, qsizetype N, char16_t *D)
{
#ifdef __SSE2__
    if (N >= 8) {
        // Eight at a time; a last block overlapping the one before covers the rest.
        const __m128i zero = _mm_setzero_si128();
        auto block = [&](qsizetype K) {
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(S + K));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(D + K), _mm_unpacklo_epi8(b, zero));
        };
        qsizetype k = 0;
        for (; k + 8 <= N; k += 8)
            block(k);
        if (k < N) block(N - 8);
        return;
    }
#endif
    for (qsizetype k = 0; k < N; ++k)
        D[k] = S[k];
}

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

void TRLColumnText::Reset()
{
    // The buffers keep their room: a column built again (after its cells changed) then costs no
    // new memory.
    Text.resize(0);
    Start.clear();
    HasLineBreaks = false;
    ValidUtf16 = true;
    FFolded.resize(0);
    FFoldState = 0;
    FCounted[0] = FCounted[1] = false;
    FNarrowState[0] = FNarrowState[1] = 0;
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
    quint64 total = Cells.size();
    for (const QAnyStringView &v : Cells)
        total += quint64(v.size());
    Reset();
    if (total >= std::numeric_limits<quint32>::max() / 2) return false;
    try {
        Start.resize(Cells.size() + 1);
        Text.resize(qsizetype(total));
    } catch (const std::bad_alloc &) {
        Text = QString();
        std::vector<quint32>().swap(Start);
        return false;
    }
    char16_t *out = reinterpret_cast<char16_t *>(Text.data());
    quint32 pos = 0;
    bool wide = false, utf8 = false;
    for (size_t i = 0; i < Cells.size() && !utf8; ++i) {
        Start[i] = pos;
        Cells[i].visit([&](auto s) {
            if constexpr (std::is_same_v<decltype(s), QLatin1StringView>) {
                Widen(reinterpret_cast<const uchar *>(s.data()), s.size(), out + pos);
            } else if constexpr (std::is_same_v<decltype(s), QStringView>) {
                if (!s.isEmpty()) std::memcpy(out + pos, s.utf16(), size_t(s.size()) * 2);
                wide = true;
            } else {
                utf8 = true;
            }
        });
        pos += quint32(Cells[i].size());
        out[pos++] = u'\n';
    }
    // UTF-8 views would change length when converted: they take the general way.
    if (utf8) return Build(int(Cells.size()), [&](int I) { return Cells[size_t(I)].toString(); });
    Start[Cells.size()] = pos;
    // Each cell brings one line feed of its own.
    HasLineBreaks = CountLineEnds(out, pos) > Cells.size();
    ValidUtf16 = !wide || QStringView(Text).isValidUtf16();
    return true;
}

bool TRLColumnText::FoldInto(QString &Out) const
{
    // Folding maps code point by code point, so the text is folded piecewise: blocks of ASCII
    // at once (where the processor allows), other Latin-1 units from a table, and every run of the remaining
    // units (which keeps surrogate pairs whole) by QString itself. False when folding changes the length.
    const qsizetype n = Text.size();
    Out.resize(n);
    const char16_t *in = reinterpret_cast<const char16_t *>(Text.utf16());
    char16_t *out = reinterpret_cast<char16_t *>(Out.data());
    const std::array<char16_t, 256> &table = Latin1Folds();
    auto simple = [&](char16_t U) { return U < 256 && table[U] != NoSimpleFold; };
    qsizetype i = 0;
    while (i < n) {
#ifdef __SSE2__
        if (n - i >= 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(qint16(0xFF80))),
                                                  _mm_setzero_si128())) == 0xFFFF) {
                // Eight ASCII units: A..Z become a..z, nothing else changes.
                const __m128i upper = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16('A' - 1)),
                                                    _mm_cmplt_epi16(v, _mm_set1_epi16('Z' + 1)));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i),
                                 _mm_add_epi16(v, _mm_and_si128(upper, _mm_set1_epi16(0x20))));
                i += 8;
                continue;
            }
        }
#endif
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

const char *TRLColumnText::Narrow(bool UseFolded) const
{
    const int k = UseFolded ? 1 : 0;
    if (FNarrowState[k] == 0) {
        const QString *t = UseFolded ? Folded() : &Text;
        FNarrowState[k] = -1;
        if (!t) return nullptr;
        const char16_t *p = reinterpret_cast<const char16_t *>(t->utf16());
        const size_t n = size_t(t->size());
        std::vector<char> &out = FNarrow[k];
        try {
            out.resize(n);
        } catch (const std::bad_alloc &) {
            std::vector<char>().swap(out);
            return nullptr;
        }
        char16_t high = 0; // the units or-ed together
        size_t i = 0;
#ifdef __SSE2__
        __m128i any = _mm_setzero_si128();
        const __m128i highBits = _mm_set1_epi16(qint16(0xFF00));
        for (; i + 16 <= n; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 8));
            any = _mm_or_si128(any, _mm_and_si128(_mm_or_si128(a, b), highBits));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out.data() + i), _mm_packus_epi16(a, b));
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) != 0xFFFF) high = 0xFF00;
#endif
        for (; i < n; ++i) {
            high |= p[i];
            out[i] = char(quint8(p[i]));
        }
        if (high >= 256) return nullptr;
        FNarrowState[k] = 1;
    }
    return FNarrowState[k] > 0 ? FNarrow[k].data() : nullptr;
}

const std::array<quint32, 256> &TRLColumnText::UnitCounts(bool UseFolded) const
{
    const int k = UseFolded ? 1 : 0;
    if (!FCounted[k]) {
        const QString &t = UseFolded && FFoldState > 0 ? FFolded : Text;
        // Four tallies side by side, so that runs of equal units do not wait on each other.
        std::array<std::array<quint32, 256>, 4> part{};
        const char16_t *p = reinterpret_cast<const char16_t *>(t.utf16());
        const qsizetype n = t.size();
        qsizetype i = 0;
        for (; i + 4 <= n; i += 4) {
            ++part[0][p[i] & 0xFF];
            ++part[1][p[i + 1] & 0xFF];
            ++part[2][p[i + 2] & 0xFF];
            ++part[3][p[i + 3] & 0xFF];
        }
        for (; i < n; ++i)
            ++part[0][p[i] & 0xFF];
        for (size_t u = 0; u < 256; ++u)
            FCounts[k][u] = part[0][u] + part[1][u] + part[2][u] + part[3][u];
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
    if (counts[key.unicode() & 0xFF] == 0) return; // the column has not a single such unit
    const QStringView pattern(term);
    qsizetype pos = 0; // the earliest start still wanted
    int from = 0;      // occurrences come in order: the cell is looked for from the last one on
    if (len >= 2) {
        // Many starts at a time, kept only where both the rarest unit and the next rarest one
        // stand where the term has them; those few are compared in full.
        qsizetype second = anchor == 0 ? 1 : 0;
        for (qsizetype i = 0; i < len; ++i)
            if (i != anchor && counts[term.at(i).unicode() & 0xFF] < counts[term.at(second).unicode() & 0xFF])
                second = i;
        rlscan::TTermScan scan{Col, Hit, text.utf16(), pattern.utf16(), len};
        const qsizetype i =
            rlscan::ScanVector(scan, text.size(), anchor, second, Col.Narrow(folded != nullptr));
        pos = std::max(scan.Pos, i); // every start before i has been seen
        from = scan.From;
    }
    for (;;) {
        const qsizetype at = text.indexOf(key, pos + anchor);
        if (at < 0) return;
        const qsizetype start = at - anchor;
        if (start + len > text.size()) return;
        if (text.mid(start, len) != pattern) {
            pos = start + 1;
            continue;
        }
        const int cell = Col.CellAt(start, from);
        from = cell;
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

int TRLFilterQuery::Depth(int Node) const
{
    // Iterative, so that a query of a thousand NOTs cannot exhaust the stack.
    int deepest = 0;
    std::vector<std::pair<int, int>> todo{{Node, 1}};
    while (!todo.empty()) {
        const auto [node, depth] = todo.back();
        todo.pop_back();
        deepest = std::max(deepest, depth);
        for (int k : FNodes[size_t(node)].Kids)
            todo.emplace_back(k, depth + 1);
    }
    return deepest;
}

void TRLFilterQuery::EvalColumns(int Node, const std::vector<std::vector<char>> &TermHits,
                                 std::vector<char> &Out) const
{
    // Verdicts are 0 or 1, so AND, OR and NOT are &, | and ^ 1 of whole columns.
    const TNode &n = FNodes[size_t(Node)];
    const size_t rows = Out.size();
    switch (n.Kind) {
    case nkTerm:
        std::copy(TermHits[size_t(n.Term)].begin(), TermHits[size_t(n.Term)].end(), Out.begin());
        return;
    case nkNot:
        EvalColumns(n.Kids.front(), TermHits, Out);
        for (char &v : Out)
            v ^= 1;
        return;
    case nkAnd:
    case nkOr: {
        EvalColumns(n.Kids.front(), TermHits, Out);
        std::vector<char> kid(rows);
        for (size_t k = 1; k < n.Kids.size(); ++k) {
            const TNode &c = FNodes[size_t(n.Kids[k])];
            const std::vector<char> *v = &kid;
            if (c.Kind == nkTerm)
                v = &TermHits[size_t(c.Term)];
            else
                EvalColumns(n.Kids[k], TermHits, kid);
            const char *in = v->data();
            char *out = Out.data();
            if (n.Kind == nkAnd)
                for (size_t r = 0; r < rows; ++r)
                    out[r] &= in[r];
            else
                for (size_t r = 0; r < rows; ++r)
                    out[r] |= in[r];
        }
        return;
    }
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
    // Column by column, so that a column's text is still in the cache for the next term.
    for (const TRLColumnText *c : Columns)
        for (size_t t = 0; t < FTerms.size(); ++t)
            ScanTerm(int(t), *c, hits[t]);
    Out.resize(rows);
    // Whole columns of verdicts at once, unless the query nests so deep that a column per level
    // would cost too much memory.
    if (Depth(FRoot) <= 16) {
        EvalColumns(FRoot, hits, Out);
        return;
    }
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
