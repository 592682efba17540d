#include <krogui/replist/rlfilter.h>

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
    q.FTerms.reserve(q.FTermText.size());
    for (const QString &t : q.FTermText)
        q.FTerms.emplace_back(t, cs);
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
