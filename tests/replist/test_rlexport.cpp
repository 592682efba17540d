// Exports of the report data: clipboard texts, the HTML table and lines loaded from a file.

#include <krogui/replist/rldata.h>

#include "qstringprint.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace kro;

namespace {

// Two named columns, the second a check column, three rows.
void FillSample(TRLData &D)
{
    D.SetNrCols(2);
    D.SetNrRows(3);
    D.SetColName(1, QStringLiteral("Name"));
    D.SetColName(2, QStringLiteral("Ok"));
    D.SetCheckedCol(2, true);
    D.SetElem(1, 1, QStringLiteral("Anna"));
    D.SetElem(1, 2, QStringLiteral("Bo"));
    D.SetElem(2, 1, QStringLiteral("yes"));
    D.SetElemChecked(2, 1, true);
    D.SetElem(2, 2, QStringLiteral("no"));
}

QString ReadFile(const QString &Name)
{
    QFile f(Name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

} // namespace

TEST(RLExport, ClipboardTextsByteForByte)
{
    TRLData d;
    FillSample(d);
    QClipboard *cb = QGuiApplication::clipboard();

    ASSERT_TRUE(d.CopyToClipBoard(1, 1, 2, 2, true, QStringLiteral(";")));
    EXPECT_EQ(cb->text(), QStringLiteral("Name;Ok\n\nAnna;yes\nBo;no\n"));

    ASSERT_TRUE(d.CopyToClipBoard(1, 1, 2, 3, false, true)); // tabs
    EXPECT_EQ(cb->text(), QStringLiteral("Anna\tyes\nBo\tno\n\t\n"));

    // Fixed width: each column one wider than its longest stored text (the check flag counts).
    ASSERT_TRUE(d.CopyToClipBoard(1, 1, 2, 2, true, false));
    EXPECT_EQ(cb->text(), QStringLiteral("Name Ok   \n\nAnna yes  \nBo   no   \n"));
    ASSERT_TRUE(d.CopyToClipBoard(1, 1, 2, 2, false, false));
    EXPECT_EQ(cb->text(), QStringLiteral("Anna yes  \nBo   no   \n"));

    // Out-of-range columns and rows give empty texts; the hidden column 0 can be copied.
    d.SetElem(0, 1, QStringLiteral("h"));
    ASSERT_TRUE(d.CopyToClipBoard(0, 0, 3, 1, true, QStringLiteral(",")));
    EXPECT_EQ(cb->text(), QStringLiteral(",Name,Ok,\n\n,,,\nh,Anna,yes,\n"));
    ASSERT_TRUE(d.CopyToClipBoard(3, 4, 3, 4, false, false));
    EXPECT_EQ(cb->text(), QStringLiteral(" \n"));

    // A multi-character separator and an empty range.
    ASSERT_TRUE(d.CopyToClipBoard(1, 2, 2, 2, false, QStringLiteral(" | ")));
    EXPECT_EQ(cb->text(), QStringLiteral("Bo | no\n"));
    ASSERT_TRUE(d.CopyToClipBoard(1, 3, 2, 2, true, QStringLiteral(";")));
    EXPECT_EQ(cb->text(), QStringLiteral("Name;Ok\n\n"));

    // An absurd range is refused and leaves the clipboard alone.
    EXPECT_FALSE(d.CopyToClipBoard(1, 1, 2, INT_MAX, false, true));
    EXPECT_FALSE(d.CopyToClipBoard(INT_MIN, 1, INT_MAX, 1, false, QStringLiteral(";")));
    EXPECT_EQ(cb->text(), QStringLiteral("Name;Ok\n\n"));
    EXPECT_FALSE(d.LastError().isEmpty());
    EXPECT_EQ(d.RangeAsText(INT_MAX, INT_MAX, INT_MAX, INT_MAX, false, QStringLiteral(";")),
              QStringLiteral("\n"));
}

TEST(RLExport, HtmlTableEscapesAndAsksPerCell)
{
    TRLData d;
    FillSample(d);
    d.SetColName(1, QStringLiteral("<Name & \"Co\">"));
    d.SetElem(1, 3, QStringLiteral("a<b>&'c'\nnext"));
    std::vector<std::pair<int, int>> asked;
    d.SetOnBeforeHTMLExport([&](QObject *S, QString &Text, int Col, int Row) {
        EXPECT_EQ(S, &d);
        asked.emplace_back(Col, Row);
        if (Col == 2 && Row == 2) Text = QStringLiteral("<replaced>");
    });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.html"));
    ASSERT_TRUE(d.ExportHTMLTable(file, 1, 1, 2, 3, {}, 1, 3, 2, 80, true, QStringLiteral("Title & more"),
                                  QStringLiteral("report"), QStringLiteral("hd")))
        << d.LastError().toStdString();
    const QString html = ReadFile(file);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>\n")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Title &amp; more</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<caption>Title &amp; more</caption>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<table class=\"kro-rltable report\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("border-spacing: 2px; width: 80%;")));
    EXPECT_TRUE(html.contains(QStringLiteral("border: 1px solid; padding: 3px;")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<tr><th class=\"hd\" scope=\"col\">&lt;Name &amp; &quot;Co&quot;&gt;</th>"
                       "<th class=\"hd\" scope=\"col\">Ok</th></tr>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<tr><td>Anna</td><td>yes</td></tr>"))); // no check flag
    EXPECT_TRUE(html.contains(QStringLiteral("<tr><td>Bo</td><td>&lt;replaced&gt;</td></tr>")));
    EXPECT_TRUE(
        html.contains(QStringLiteral("<tr><td>a&lt;b&gt;&amp;&#39;c&#39;<br>next</td><td></td></tr>")));
    EXPECT_TRUE(html.trimmed().endsWith(QStringLiteral("</table>\n</body>\n</html>")));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}}));

    // A column list picks and orders columns inside the range; rows are cut to the data.
    asked.clear();
    ASSERT_TRUE(d.ExportHTMLTable(file, 0, 2, 2, 99, {2, 7, 1, -1}, 0, 0, 0, 0, false, QString(), QString(),
                                  QString()));
    const QString picked = ReadFile(file);
    EXPECT_FALSE(picked.contains(QStringLiteral("<thead>")));
    EXPECT_FALSE(picked.contains(QStringLiteral("<caption>")));
    EXPECT_TRUE(picked.contains(QStringLiteral("border: none;")));
    EXPECT_FALSE(picked.contains(QStringLiteral("width:")));
    EXPECT_TRUE(picked.contains(QStringLiteral("<title>KRO Report Listview</title>")));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 2}, {1, 2}, {2, 3}, {1, 3}}));

    // A file that cannot be written is reported and the old one stays whole.
    EXPECT_FALSE(d.ExportHTMLTable(dir.filePath(QStringLiteral("no/such/dir.html")), 1, 1, 2, 3, {}, 0, 0, 0,
                                   0, true, QString(), QString(), QString()));
    EXPECT_FALSE(d.LastError().isEmpty());
}

TEST(RLExport, LoadLinesGrowsRowsAndKeepsFlags)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lines.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("first\r\nsecond\n\nfourth ü\n");
    }
    TRLData d;
    FillSample(d);
    ASSERT_TRUE(d.LoadLinesFromFile(2, 2, file)) << d.LastError().toStdString();
    EXPECT_EQ(d.NrOfRows(), 5);
    EXPECT_EQ(d.GetElem(2, 1), QStringLiteral("yes")); // above FirstRow: untouched
    EXPECT_EQ(d.GetElem(2, 2), QStringLiteral("first"));
    EXPECT_EQ(d.GetElem(2, 3), QStringLiteral("second"));
    EXPECT_EQ(d.GetElem(2, 4), QString());
    EXPECT_EQ(d.GetElem(2, 5), QStringLiteral("fourth ü"));
    EXPECT_EQ(d.GetElem(1, 2), QStringLiteral("Bo"));
    EXPECT_FALSE(d.GetElemChecked(2, 2));

    d.SetElemChecked(2, 2, true);
    ASSERT_TRUE(d.LoadLinesFromFile(2, 2, file));
    EXPECT_TRUE(d.GetElemChecked(2, 2)); // the flag stays
    EXPECT_EQ(d.NrOfRows(), 5);          // no growth needed

    // Refusals change nothing.
    const int rows = d.NrOfRows();
    EXPECT_FALSE(d.LoadLinesFromFile(3, 1, file));
    EXPECT_FALSE(d.LoadLinesFromFile(1, 0, file));
    EXPECT_FALSE(d.LoadLinesFromFile(1, 1, dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(d.LoadLinesFromFile(1, INT_MAX, file));
    EXPECT_EQ(d.NrOfRows(), rows);
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("Anna"));

    // A 100 MB line is cut to a cell's length; the next line still arrives.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100 * 1024 * 1024, 'w'));
        f.write("\nafter\n");
    }
    ASSERT_TRUE(d.LoadLinesFromFile(1, 1, file));
    EXPECT_EQ(d.GetElem(1, 1), QString(255, QLatin1Char('w')));
    EXPECT_EQ(d.GetElem(1, 2), QStringLiteral("after"));
    ASSERT_TRUE(d.LoadLinesFromFile(2, 1, file));
    EXPECT_EQ(d.GetElem(2, 1).size(), 254);
    EXPECT_TRUE(d.GetElemChecked(2, 1));
}
