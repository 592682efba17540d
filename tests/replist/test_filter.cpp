// The filter query languages on their own: parsing, matching, bad queries.
#include <krogui/replist/rlfilter.h>

#include <gtest/gtest.h>

#include <QStringList>

#include <random>

using namespace kro;

namespace {

bool Match(const TRLFilterQuery &Q, const QStringList &Cells)
{
    const std::vector<QString> v(Cells.begin(), Cells.end());
    return Q.Matches(v);
}

QString Parse(const QString &Query)
{
    return TRLFilterQuery::Compile(Query, fmBoolean, false).Describe();
}

} // namespace

TEST(FilterQuery, BooleanPrecedencePhrasesAndImplicitAnd)
{
    EXPECT_EQ(Parse(QStringLiteral("red green OR NOT \"dark blue\"")),
              QStringLiteral("OR(AND(red, green), NOT(\"dark blue\"))"));
    EXPECT_EQ(Parse(QStringLiteral("a AND (b OR c) d")), QStringLiteral("AND(a, OR(b, c), d)"));
    // Operator words count only in capitals and never inside quotes; parentheses split words.
    EXPECT_EQ(Parse(QStringLiteral("salt and \"OR\" (pepper)")),
              QStringLiteral("AND(salt, and, OR, pepper)"));
    EXPECT_EQ(Parse(QStringLiteral("NOT NOT x")), QStringLiteral("NOT(NOT(x))"));
}

TEST(FilterQuery, BooleanForgivesHalfTypedQueries)
{
    EXPECT_EQ(Parse(QStringLiteral("foo AND")), QStringLiteral("foo"));
    EXPECT_EQ(Parse(QStringLiteral("OR foo")), QStringLiteral("foo"));
    EXPECT_EQ(Parse(QStringLiteral("foo OR OR bar")), QStringLiteral("OR(foo, bar)"));
    EXPECT_EQ(Parse(QStringLiteral("(foo OR bar")), QStringLiteral("OR(foo, bar)"));
    EXPECT_EQ(Parse(QStringLiteral("foo) bar")), QStringLiteral("AND(foo, bar)"));
    EXPECT_EQ(Parse(QStringLiteral("\"open phrase")), QStringLiteral("\"open phrase\""));
    EXPECT_EQ(Parse(QStringLiteral("foo NOT")), QStringLiteral("foo"));
    // No word at all: matches every row.
    for (const char *q : {"", "  ", "()", "\"\"", "AND OR NOT", ")("}) {
        const TRLFilterQuery f = TRLFilterQuery::Compile(QString::fromLatin1(q), fmBoolean, false);
        EXPECT_TRUE(f.MatchesAll()) << q;
        EXPECT_TRUE(Match(f, {QStringLiteral("anything")})) << q;
    }
}

TEST(FilterQuery, HostileQueriesStayCheap)
{
    // Deep nesting and very long chains neither recurse deeply nor lose their meaning.
    const QString deep =
        QString(100000, QLatin1Char('(')) + QStringLiteral("x") + QString(100000, QLatin1Char(')'));
    const TRLFilterQuery d = TRLFilterQuery::Compile(deep, fmBoolean, true);
    EXPECT_TRUE(Match(d, {QStringLiteral("x")}));
    EXPECT_FALSE(Match(d, {QStringLiteral("y")}));
    QString nots;
    for (int i = 0; i < 50001; ++i)
        nots += QStringLiteral("NOT ");
    const TRLFilterQuery n = TRLFilterQuery::Compile(nots + QStringLiteral("x"), fmBoolean, true);
    EXPECT_TRUE(n.IsValid());
    Match(n, {QStringLiteral("x")}); // must simply return
    QStringList words;
    for (int i = 0; i < 20000; ++i)
        words << QStringLiteral("w%1").arg(i % 7);
    const TRLFilterQuery chain = TRLFilterQuery::Compile(words.join(QStringLiteral(" OR ")), fmBoolean, true);
    EXPECT_TRUE(Match(chain, {QStringLiteral("xx w6")}));
    EXPECT_FALSE(Match(chain, {QStringLiteral("w7")}));
}

TEST(FilterQuery, BooleanMatchesAcrossTheCellsOfARow)
{
    const QStringList row = {QStringLiteral("Anna Berg"), QStringLiteral("Zürich"), QStringLiteral("12.50")};
    auto m = [&](const char *q, bool cs = false) {
        return Match(TRLFilterQuery::Compile(QString::fromUtf8(q), fmBoolean, cs), row);
    };
    EXPECT_TRUE(m("anna zürich"));   // two words, two cells
    EXPECT_TRUE(m("ZÜRICH"));        // case-blind beyond ASCII
    EXPECT_FALSE(m("ZÜRICH", true)); // unless asked
    EXPECT_TRUE(m("\"a b\" OR 12"));
    EXPECT_FALSE(m("\"berg zürich\"")); // a phrase is one piece of text
    EXPECT_TRUE(m("\"anna berg\""));
    EXPECT_FALSE(m("anna NOT berg"));
    EXPECT_TRUE(m("NOT (oslo OR bern)"));
    EXPECT_FALSE(m("berg12")); // words never join cells
}

TEST(FilterQuery, SimpleAndGrep)
{
    const QStringList row = {QStringLiteral("Order 4711"), QStringLiteral("open items")};
    EXPECT_TRUE(Match(TRLFilterQuery::Compile(QStringLiteral("der 47"), fmSimple, false), row));
    // The simple language takes operators and blanks literally.
    EXPECT_FALSE(Match(TRLFilterQuery::Compile(QStringLiteral("order OR x"), fmSimple, false), row));
    EXPECT_FALSE(Match(TRLFilterQuery::Compile(QStringLiteral("ORDER"), fmSimple, true), row));

    const TRLFilterQuery g = TRLFilterQuery::Compile(QStringLiteral("^open\\s+\\w+$"), fmGrep, false);
    EXPECT_TRUE(g.IsValid());
    EXPECT_TRUE(Match(g, row));
    EXPECT_FALSE(Match(g, {QStringLiteral("reopen items")}));
    EXPECT_TRUE(Match(TRLFilterQuery::Compile(QStringLiteral("ORDER \\d{4}"), fmGrep, false), row));
    EXPECT_FALSE(Match(TRLFilterQuery::Compile(QStringLiteral("ORDER \\d{4}"), fmGrep, true), row));

    const TRLFilterQuery bad = TRLFilterQuery::Compile(QStringLiteral("(unclosed"), fmGrep, false);
    EXPECT_FALSE(bad.IsValid());
    EXPECT_FALSE(bad.ErrorString().isEmpty());
    EXPECT_FALSE(Match(bad, row));
    EXPECT_FALSE(bad.MatchesAll());
}

TEST(FilterQuery, CombineLogic)
{
    const TLogicOp ops[] = {loAND, loOR, loXOR, loANDNOT, loORNOT};
    // Truth tables for (A, B) = (0,0), (0,1), (1,0), (1,1).
    const bool expect[5][4] = {{0, 0, 0, 1}, {0, 1, 1, 1}, {0, 1, 1, 0}, {0, 0, 1, 0}, {1, 0, 1, 1}};
    for (int o = 0; o < 5; ++o)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CombineLogic(ops[o], i & 2, i & 1), expect[o][i]) << o << " " << i;
}

TEST(FilterQuery, WholeColumnScansGiveTheVerdictsOfSingleRows)
{
    // Two columns; texts chosen so that matches could run across cell ends.
    const QStringList a = {QStringLiteral("alpha"),
                           QStringLiteral("bet"),
                           QString(),
                           QStringLiteral("ab"),
                           QStringLiteral("Zürich"),
                           QStringLiteral("x"),
                           QStringLiteral("cd ab"),
                           QStringLiteral("tab\tend"),
                           QString::fromUtf8("ſoup İstanbul"),
                           QString::fromUtf8("ΣΟΦΊΑ"),
                           QString::fromUtf8("\u212Aelvin Straße")};
    const QStringList b = {QStringLiteral("ab"),
                           QStringLiteral("cd"),
                           QStringLiteral("b"),
                           QStringLiteral("cd"),
                           QStringLiteral("ZÜRICH 8000"),
                           QString(),
                           QStringLiteral("a"),
                           QStringLiteral("end"),
                           QString::fromUtf8("Soup"),
                           QString::fromUtf8("σοφίας"),
                           QString(QChar(0xD800)) + QStringLiteral("lone")};
    QStringList withBreak = b;
    withBreak[5] = QStringLiteral("two\nlines");
    const std::vector<std::pair<TFilterMode, const char *>> queries = {
        {fmSimple, "ab"},     {fmSimple, "b\ncd"},      {fmSimple, "zürich"},
        {fmSimple, "a"},      {fmBoolean, "ab NOT cd"}, {fmBoolean, "bet OR \"zürich 8\""},
        {fmBoolean, "NOT x"}, {fmBoolean, "lines"},     {fmGrep, "^ab$"},
        {fmGrep, "b\\s*c"},   {fmGrep, "a$"},           {fmGrep, "^$"},
        {fmGrep, ".*"},       {fmGrep, "(?<=t)a"},      {fmGrep, "\\Aab"},
        {fmGrep, "b(?!\\w)"}, {fmGrep, "[^x]{4}"},      {fmGrep, "(?s)b.c"},
        {fmGrep, "^two$"},    {fmGrep, "\\d+$"}};
    for (const bool breaks : {false, true}) {
        const QStringList &second = breaks ? withBreak : b;
        TRLColumnText ca, cb;
        ASSERT_TRUE(ca.Build(int(a.size()), [&](int i) { return a[i]; }));
        ASSERT_TRUE(cb.Build(int(second.size()), [&](int i) { return second[i]; }));
        EXPECT_EQ(cb.HasLineBreaks, breaks);
        EXPECT_EQ(cb.Cell(4), QStringLiteral("ZÜRICH 8000"));
        const TRLColumnText *cols[] = {&ca, &cb};
        for (const auto &[mode, text] : queries)
            for (bool cs : {false, true}) {
                const TRLFilterQuery q = TRLFilterQuery::Compile(QString::fromUtf8(text), mode, cs);
                std::vector<char> out;
                q.MatchColumns(cols, out);
                ASSERT_EQ(out.size(), size_t(a.size()));
                for (int r = 0; r < int(a.size()); ++r)
                    EXPECT_EQ(bool(out[size_t(r)]), Match(q, {a[r], second[r]}))
                        << text << " case " << cs << " row " << r;
            }
    }
}

TEST(FilterQuery, ColumnsBuiltFromViewsSearchLikeCells)
{
    // Long columns of short cells over a small alphabet, so that terms occur often, straddle
    // cell ends and fall at every offset of the block-wise search; some cells are UTF-16.
    std::mt19937 rng(11);
    const QString alphabet = QString::fromUtf8("abcAB-ü ");
    auto cell = [&](bool Wide) {
        QString s;
        const int len = int(rng() % 12);
        for (int i = 0; i < len; ++i)
            s += alphabet.at(int(rng() % alphabet.size()));
        if (Wide && !s.isEmpty()) s[int(rng() % s.size())] = QChar(0x3A3); // Σ folds to σ
        return s;
    };
    const int rows = 3000;
    std::vector<QStringList> cols(3);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < rows; ++r)
            cols[size_t(c)] << cell(c == 2 && r % 5 == 0);
    // The views as the string array gives them: Latin-1 where the text allows.
    std::vector<QByteArray> latin(size_t(rows) * 3);
    std::vector<TRLColumnText> texts(3);
    for (int c = 0; c < 3; ++c) {
        std::vector<QAnyStringView> views;
        for (int r = 0; r < rows; ++r) {
            const QString &s = cols[size_t(c)][r];
            bool narrow = true;
            for (QChar ch : s)
                narrow = narrow && ch.unicode() < 0x100;
            if (narrow) {
                QByteArray &b = latin[size_t(c * rows + r)];
                b = s.toLatin1();
                views.push_back(QAnyStringView(QLatin1StringView(b)));
            } else {
                views.push_back(QAnyStringView(s));
            }
        }
        TRLColumnText &t = texts[size_t(c)];
        ASSERT_TRUE(t.Build(views));
        TRLColumnText reference;
        ASSERT_TRUE(reference.Build(rows, [&](int I) { return cols[size_t(c)][I]; }));
        EXPECT_EQ(t.Text, reference.Text);
        EXPECT_EQ(t.Start, reference.Start);
        EXPECT_EQ(t.HasLineBreaks, reference.HasLineBreaks);
        EXPECT_EQ(t.ValidUtf16, reference.ValidUtf16);
        ASSERT_NE(t.Folded(), nullptr);
        EXPECT_EQ(*t.Folded(), t.Text.toCaseFolded());
        // Building again into the same buffers gives the same column.
        ASSERT_TRUE(t.Build(views));
        EXPECT_EQ(t.Text, reference.Text);
        EXPECT_EQ(*t.Folded(), t.Text.toCaseFolded());
    }
    const TRLColumnText *ptrs[] = {&texts[0], &texts[1], &texts[2]};
    const char *const queries[][2] = {
        {"s", "ab"},       {"s", "cA"},          {"s", "b-ü"},       {"s", "aa"},
        {"s", "σa"},       {"s", "abcab"},       {"b", "ab NOT ba"}, {"b", "(ca OR üb) NOT \"a a\""},
        {"b", "bb OR ΣB"}, {"b", "a b c NOT ü"}, {"g", "^ab"},       {"g", "c$"}};
    for (const auto &q : queries)
        for (bool cs : {false, true}) {
            const TFilterMode mode = q[0][0] == 's' ? fmSimple : q[0][0] == 'b' ? fmBoolean : fmGrep;
            const TRLFilterQuery query = TRLFilterQuery::Compile(QString::fromUtf8(q[1]), mode, cs);
            std::vector<char> out;
            query.MatchColumns(ptrs, out);
            ASSERT_EQ(out.size(), size_t(rows));
            int hits = 0;
            for (int r = 0; r < rows; ++r) {
                const bool expected = Match(query, {cols[0][r], cols[1][r], cols[2][r]});
                hits += expected;
                ASSERT_EQ(bool(out[size_t(r)]), expected) << q[1] << " case " << cs << " row " << r;
            }
            if (!cs) {
                EXPECT_GT(hits, 0) << q[1]; // the test searches something real
            }
        }
}

TEST(FilterQuery, LongColumnScansGiveTheVerdictsOfSingleRows)
{
    // Columns long enough for the wide vector scans and their tails, from a small alphabet so
    // that occurrences are dense, run across cell ends and sit at every offset of a block.
    std::mt19937 gen(3);
    auto column = [&](int Rows) {
        QStringList cells;
        for (int r = 0; r < Rows; ++r) {
            QString s;
            const int len = int(gen() % 9);
            for (int i = 0; i < len; ++i)
                s += QChar(u"abAB c\u00e9"[gen() % 7]);
            cells << s;
        }
        return cells;
    };
    for (const int rows : {37, 1000, 4099}) {
        const QStringList a = column(rows), b = column(rows);
        TRLColumnText ca, cb;
        ASSERT_TRUE(ca.Build(rows, [&](int i) { return a[i]; }));
        ASSERT_TRUE(cb.Build(rows, [&](int i) { return b[i]; }));
        const TRLColumnText *cols[] = {&ca, &cb};
        for (const char *text :
             {"ab", "ba", "aab", "b c", "abab", "cab NOT ba", "\"a a\" OR bb", "ab\u00e9", "Ab baa"})
            for (const bool cs : {false, true}) {
                const TRLFilterQuery q = TRLFilterQuery::Compile(QString::fromUtf8(text), fmBoolean, cs);
                std::vector<char> out;
                q.MatchColumns(cols, out);
                ASSERT_EQ(out.size(), size_t(rows));
                for (int r = 0; r < rows; ++r)
                    ASSERT_EQ(bool(out[size_t(r)]), Match(q, {a[r], b[r]}))
                        << text << " case " << cs << " row " << r << " of " << rows;
            }
    }
}
