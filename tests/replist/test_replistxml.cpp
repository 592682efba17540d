// Report lists as XML: round trips, several lists in one stream, the file test and bad input.

#include <krogui/data/stringarray.h>
#include <krogui/replist/replistxml.h>
#include <krogui/replist/rldata.h>

#include "qstringprint.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kro;

namespace {

// Everything a read may change, as one comparable text.
QString Snapshot(const TRLData &D)
{
    QString s = QStringLiteral("%1x%2|%3|%4|%5|").arg(D.NrOfColumns()).arg(D.NrOfRows());
    s = s.arg(D.CommonHeader(), D.Comment(), D.DataID());
    for (int c = 1; c <= D.NrOfColumns(); ++c)
        s += QStringLiteral("[%1:%2:%3]")
                 .arg(D.GetColName(c), D.GetColumnFormat(c))
                 .arg(int(D.GetColCheckMode(c)));
    for (int r = 1; r <= D.NrOfRows(); ++r)
        for (int c = 0; c <= D.NrOfColumns(); ++c)
            s += D.Strings()->GetString(c, r) + QLatin1Char('\x1f');
    return s;
}

// A list with everything awkward a cell, name or header can hold.
void FillAwkward(TRLData &D)
{
    D.SetNrCols(4);
    D.SetNrRows(6);
    D.SetColName(1, QStringLiteral("<Name> & \"quoted\""));
    D.SetColName(2, QStringLiteral("Done?"));
    D.SetColName(3, QStringLiteral("Größe 尺寸"));
    D.SetColumnFormat(1, QStringLiteral("[l:3][100]a|b&c|<d>"));
    D.SetColumnFormat(3, QStringLiteral("[i][80]rix3"));
    D.SetCheckedCol(2, true);
    D.SetColCheckMode(4, cmRadio);
    D.SetCommonHeader(QStringLiteral("First line\nsecond \"line\" <b>"));
    D.SetComment(QStringLiteral("  comment with\ttab and blanks  "));
    const QStringList texts = {QStringLiteral("a < b && c > d"),
                               QStringLiteral("'single' \"double\""),
                               QStringLiteral("line1\nline2\r\nline3\rend"),
                               QStringLiteral("\ttabbed\t"),
                               QStringLiteral("  padded  "),
                               QStringLiteral("中文 Ελληνικά עברית 😀 ]]> &amp;")};
    for (int r = 1; r <= 6; ++r) {
        D.SetElem(1, r, texts[r - 1]);
        D.SetElem(3, r, texts[6 - r]);
    }
    D.SetElem(0, 2, QStringLiteral("hidden <0>"));
    D.SetElem(2, 1, QStringLiteral("checked text"));
    D.SetElemChecked(2, 1, true);
    D.SetElem(2, 2, QStringLiteral("unchecked text"));
    D.SetElemChecked(2, 3, true);  // flag only, checked
    D.SetElemChecked(2, 4, false); // flag only, unchecked
    D.SetElem(1, 5, QString());    // an empty cell among full ones
    D.SetElemChecked(4, 6, true);
}

QByteArray WriteList(TRLData &D, bool Header, const QString &Id)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    EXPECT_TRUE(D.WriteToXMLStream(&buf, Header, Id)) << D.LastError().toStdString();
    return buf.data();
}

} // namespace

TEST(RepListXml, VocabularyInItsOrder)
{
    const QStringList names = {QStringLiteral("numcols"),      QStringLiteral("numrows"),
                               QStringLiteral("colname"),      QStringLiteral("checkedcolumn"),
                               QStringLiteral("commonheader"), QStringLiteral("columnformat"),
                               QStringLiteral("cell"),         QStringLiteral("comment"),
                               QStringLiteral("/replist"),     QStringLiteral("invalidtag")};
    EXPECT_EQ(RepListXmlTagOf(u"table"), xmlInvalid);

    // The writer follows the vocabulary's order and puts the signature on one line.
    TRLData d;
    FillAwkward(d);
    const QString text = QString::fromUtf8(WriteList(d, true, QStringLiteral("My List")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")));
    const QString sig = text.section(QLatin1Char('\n'), 1, 1);
    EXPECT_EQ(sig, QStringLiteral("<replist lib=\"krolibset\" version=\"1\" id=\"My List\">"));
    qsizetype last = -1;
    for (int i = 0; i < int(xmlEndReplist); ++i) {
        const qsizetype at = text.indexOf(QLatin1Char('<') + names[i]);
        ASSERT_GT(at, last) << names[i].toStdString();
        last = at;
    }
    EXPECT_TRUE(text.endsWith(QStringLiteral("</replist>\n")));
}

TEST(RepListXml, AwkwardContentSurvivesEveryRoute)
{
    TRLData src;
    FillAwkward(src);
    src.SetDataID(QStringLiteral("ignored by the writers"));
    const QString expected =
        Snapshot(src).replace(QStringLiteral("ignored by the writers"), QStringLiteral("Lst"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.xml"));

    {
        TRLData d;
        ASSERT_TRUE(src.SaveAsXMLFile(file, QStringLiteral("Lst")));
        ASSERT_TRUE(d.LoadFromXMLFile(file, QStringLiteral("lst"))) << d.LastError().toStdString();
        EXPECT_EQ(Snapshot(d), expected);
        EXPECT_TRUE(d.LastError().isEmpty());
    }
    {
        TRLData d;
        QBuffer buf;
        buf.setData(WriteList(src, false, QStringLiteral("Lst")));
        buf.open(QIODevice::ReadOnly);
        ASSERT_TRUE(d.ReadFromXMLStream(&buf, QStringLiteral("Lst"))) << d.LastError().toStdString();
        EXPECT_EQ(Snapshot(d), expected);
    }
    {
        TRLData d;
        ASSERT_TRUE(d.ReadFromXMLString(QString::fromUtf8(WriteList(src, true, QStringLiteral("Lst"))),
                                        QStringLiteral("LST")));
        EXPECT_EQ(Snapshot(d), expected);
    }
    {
        QString text;
        QTextStream out(&text);
        ASSERT_TRUE(src.WriteToOpenXMLFile(out, true, QStringLiteral("Lst")));
        TRLData d;
        QTextStream in(&text);
        ASSERT_TRUE(d.ReadFromOpenXMLFile(in, QStringLiteral("Lst"))) << d.LastError().toStdString();
        EXPECT_EQ(Snapshot(d), expected);
    }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(src.WriteToOpenXMLFile(f, true, QStringLiteral("Lst")));
        f.close();
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        TRLData d;
        ASSERT_TRUE(d.ReadFromOpenXMLFile(f, QStringLiteral("Lst")));
        EXPECT_EQ(Snapshot(d), expected);
    }
}

TEST(RepListXml, SortedListIsWrittenInPresentedOrderAndReadsBackUnsorted)
{
    TRLData src;
    src.SetNrRows(3);
    src.SetElem(1, 1, QStringLiteral("b"));
    src.SetElem(1, 2, QStringLiteral("c"));
    src.SetElem(1, 3, QStringLiteral("a"));
    src.Sort(1, -1, true);
    src.Strings()->SetRowAttrib(1, rlRowSelected);

    TRLData d;
    d.Sort(1, -1, false);
    ASSERT_TRUE(d.ReadFromXMLString(QString::fromUtf8(WriteList(src, true, QString()))));
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("a"));
    EXPECT_EQ(d.GetElem(1, 3), QStringLiteral("c"));
    EXPECT_EQ(d.SortColumn(), -1);
    EXPECT_FALSE(d.Strings()->IsSorted());
    EXPECT_EQ(d.Strings()->GetRowAttrib(1), 0);
    d.UnSort();
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("a"));
}

TEST(RepListXml, CharactersXmlCannotCarryComeBack)
{
    TRLData src;
    src.SetNrRows(1);
    const QString cell = QStringLiteral("bell\x07 nul") + QChar(0) + QChar(0xD800) + QStringLiteral("x");
    src.SetElem(1, 1, cell);
    src.SetColName(1, QStringLiteral("esc\x1b"));
    const QByteArray text = WriteList(src, true, QStringLiteral("a\tb\nc"));
    TRLData d;
    ASSERT_TRUE(d.ReadFromXMLString(QString::fromUtf8(text))) << d.LastError().toStdString();
    EXPECT_EQ(d.GetElem(1, 1), cell);
    EXPECT_EQ(d.GetColName(1), QStringLiteral("esc\x1b"));
    EXPECT_EQ(d.DataID(), QStringLiteral("a\tb\nc"));
    EXPECT_TRUE(text.contains("<char code=\"7\"/>"));
    EXPECT_TRUE(text.contains("id=\"a&#9;b&#10;c\"")); // the signature stays on one line
}

TEST(RepListXml, SeveralListsInOneStream)
{
    TRLData a, b, c;
    a.SetNrRows(1);
    a.SetElem(1, 1, QStringLiteral("from A"));
    b.SetNrCols(2);
    b.SetNrRows(2);
    b.SetElem(2, 2, QStringLiteral("from B"));
    c.SetComment(QStringLiteral("no id"));

    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(a.WriteToXMLStream(&buf, true, QStringLiteral("Alpha")));
    ASSERT_TRUE(b.WriteToXMLStream(&buf, false, QStringLiteral("Beta & Co")));
    ASSERT_TRUE(c.WriteToXMLStream(&buf, false, QString()));
    buf.close();
    const QByteArray all = buf.data();

    buf.open(QIODevice::ReadOnly);
    EXPECT_TRUE(CheckIfValidReplist(&buf, QStringLiteral("alpha")));
    buf.seek(0);
    EXPECT_TRUE(CheckIfValidReplist(&buf, QStringLiteral("  BETA & CO ")));
    buf.seek(0);
    EXPECT_FALSE(CheckIfValidReplist(&buf, QStringLiteral("gamma")));
    EXPECT_TRUE(buf.atEnd());

    TRLData d;
    ASSERT_TRUE(d.ReadFromXMLString(QString::fromUtf8(all), QStringLiteral("beta & co")))
        << d.LastError().toStdString();
    EXPECT_EQ(d.GetElem(2, 2), QStringLiteral("from B"));
    EXPECT_EQ(d.DataID(), QStringLiteral("Beta & Co"));
    ASSERT_TRUE(d.ReadFromXMLString(QString::fromUtf8(all), QString())); // the first one
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("from A"));

    // Reading one after the other: each read leaves the stream after its list.
    buf.seek(0);
    ASSERT_TRUE(d.ReadFromXMLStream(&buf, QStringLiteral("Alpha")));
    EXPECT_TRUE(
        all.mid(buf.pos()).startsWith("\n<replist lib=\"krolibset\" version=\"1\" id=\"Beta &amp; Co\">"))
        << all.mid(buf.pos(), 60).toStdString();
    ASSERT_TRUE(d.ReadFromXMLStream(&buf, QString()));
    EXPECT_EQ(d.GetElem(2, 2), QStringLiteral("from B"));
    ASSERT_TRUE(d.ReadFromXMLStream(&buf, QString()));
    EXPECT_EQ(d.Comment(), QStringLiteral("no id"));
    EXPECT_TRUE(buf.atEnd());
    EXPECT_FALSE(d.ReadFromXMLStream(&buf, QString())); // nothing left
    EXPECT_EQ(d.Comment(), QStringLiteral("no id"));

    // A failed read puts the stream back where it started.
    buf.seek(5);
    EXPECT_FALSE(d.ReadFromXMLStream(&buf, QStringLiteral("missing")));
    EXPECT_EQ(buf.pos(), 5);
    EXPECT_TRUE(d.LastError().contains(QStringLiteral("missing")));

    // A text stream is read up to the end tag's line, so lists come one after the other too.
    QString text = QString::fromUtf8(all);
    QTextStream ts(&text);
    ASSERT_TRUE(d.ReadFromOpenXMLFile(ts, QStringLiteral("Beta & Co")));
    EXPECT_EQ(d.GetElem(2, 2), QStringLiteral("from B"));
    ASSERT_TRUE(d.ReadFromOpenXMLFile(ts, QString()));
    EXPECT_EQ(d.Comment(), QStringLiteral("no id"));
    EXPECT_FALSE(d.ReadFromOpenXMLFile(ts, QStringLiteral("Alpha"))); // already passed
}

TEST(RepListXml, CheckIfValidReplistOnFiles)
{
    QTemporaryDir dir;
    auto write = [&](const QString &Name, const QByteArray &Content) {
        QFile f(dir.filePath(Name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Content);
        return f.fileName();
    };
    const QString noId = write(QStringLiteral("a.xml"), "<?xml version=\"1.0\"?>\n<!-- x -->\n"
                                                        "<replist lib=\"KROLIBSET\">\n</replist>\n");
    EXPECT_TRUE(CheckIfValidReplist(noId, QString()));
    EXPECT_FALSE(CheckIfValidReplist(noId, QStringLiteral("x")));

    const QString blanks = write(QStringLiteral("b.xml"), "<REPLIST krolibset id=\"  My Data  \">\n");
    EXPECT_TRUE(CheckIfValidReplist(blanks, QStringLiteral("my data")));
    EXPECT_TRUE(CheckIfValidReplist(blanks, QStringLiteral("MY DATA")));
    EXPECT_TRUE(CheckIfValidReplist(blanks, QString()));
    EXPECT_FALSE(CheckIfValidReplist(blanks, QStringLiteral("my")));

    const QString two = write(QStringLiteral("c.xml"), "<replist krolibset id=\"one\">\n</replist>\n"
                                                       "<replist krolibset id=\"two\">\n</replist>");
    EXPECT_TRUE(CheckIfValidReplist(two, QStringLiteral("one")));
    EXPECT_TRUE(CheckIfValidReplist(two, QStringLiteral("two"))); // last line without line end

    const QString noWord = write(QStringLiteral("d.xml"), "<replist id=\"one\">\n</replist>\n");
    EXPECT_FALSE(CheckIfValidReplist(noWord, QString()));
    // The word and the tag must share a line.
    const QString split = write(QStringLiteral("e.xml"), "<replist\n lib=\"krolibset\">\n");
    EXPECT_FALSE(CheckIfValidReplist(split, QString()));

    EXPECT_THROW(CheckIfValidReplist(dir.filePath(QStringLiteral("missing.xml")), QString()),
                 EKRORLDataError);
    EXPECT_FALSE(CheckIfValidReplist(static_cast<QIODevice *>(nullptr), QString()));

    // The stream overload stops right after the qualifying line.
    QBuffer buf;
    buf.setData("junk\n<replist krolibset id=\"k\">\nrest\n");
    buf.open(QIODevice::ReadOnly);
    EXPECT_TRUE(CheckIfValidReplist(&buf, QStringLiteral("K")));
    EXPECT_EQ(buf.readAll(), QByteArray("rest\n"));
}

TEST(RepListXml, UnknownElementsAreSkippedAndMissingOnesGetDefaults)
{
    TRLData d;
    d.SetCommonHeader(QStringLiteral("old header"));
    ASSERT_TRUE(d.ReadFromXMLString(QStringLiteral("<replist lib=\"krolibset\">\n"
                                                   "<future a=\"1\"><nested>x</nested></future>\n"
                                                   "<numrows> 2 </numrows><numcols>0</numcols>\n"
                                                   "<invalidtag/>\n"
                                                   "<cell col=\"1\" row=\"2\">b</cell>\n"
                                                   "<checkedcolumn col=\"1\">true</checkedcolumn>\n"
                                                   "<cell col=\"1\" row=\"1\" checked=\"true\">a</cell>\n"
                                                   "<cell col=\"1\" row=\"2\" checked=\"1\">B</cell>\n"
                                                   "</replist>trailing garbage <<<")))
        << d.LastError().toStdString();
    EXPECT_EQ(d.NrOfColumns(), 1);
    EXPECT_EQ(d.NrOfRows(), 2);
    EXPECT_EQ(d.Strings()->GetString(1, 1), QStringLiteral("Xa"));
    EXPECT_EQ(d.Strings()->GetString(1, 2), QStringLiteral("XB")); // a later cell replaces
    EXPECT_EQ(d.CommonHeader(), QStringLiteral("KRO Report Listview"));
    EXPECT_EQ(d.DataID(), QString());

    // A cell read before its column became a check column gets a blank flag.
    ASSERT_TRUE(
        d.ReadFromXMLString(QStringLiteral("<replist krolibset=\"1\"><numcols>1</numcols><numrows>1</numrows>"
                                           "<cell col=\"1\" row=\"1\">late</cell>"
                                           "<checkedcolumn col=\"1\">radio</checkedcolumn></replist>")));
    EXPECT_EQ(d.Strings()->GetString(1, 1), QStringLiteral(" late"));
    EXPECT_EQ(d.GetColCheckMode(1), cmRadio);
}

TEST(RepListXml, BadInputNeverChangesTheList)
{
    TRLData d;
    FillAwkward(d);
    d.SetDataID(QStringLiteral("keep"));
    const QString before = Snapshot(d);
    const QString head = QStringLiteral("<?xml version=\"1.0\"?>\n<replist lib=\"krolibset\" id=\"x\">\n");
    const QString counts = QStringLiteral("<numcols>2</numcols>\n<numrows>2</numrows>\n");

    struct Case
    {
        const char *What;
        QString Text;
    };
    const std::vector<Case> cases = {
        {"no list at all", QStringLiteral("<other><numcols>1</numcols></other>")},
        {"empty input", QString()},
        {"wrong root", QStringLiteral("<replistx lib=\"krolibset\"><numcols>1</numcols></replistx>")},
        {"unbalanced", head + QStringLiteral("<numcols>2</numrows>\n")},
        {"truncated", head + counts + QStringLiteral("<cell col=\"1\" row=\"1\">abc")},
        {"no end tag", head + counts},
        {"negative rows", head + QStringLiteral("<numcols>2</numcols><numrows>-1</numrows></replist>")},
        {"negative columns", head + QStringLiteral("<numcols>-5</numcols><numrows>1</numrows></replist>")},
        {"huge columns",
         head + QStringLiteral("<numcols>1000000000</numcols><numrows>1</numrows></replist>")},
        {"huge rows",
         head + QStringLiteral("<numcols>2</numcols><numrows>99999999999999999999</numrows></replist>")},
        {"too many cells",
         head + QStringLiteral("<numcols>1000</numcols><numrows>100000</numrows></replist>")},
        {"not a number", head + QStringLiteral("<numcols>two</numcols><numrows>1</numrows></replist>")},
        {"second numcols", head + counts + QStringLiteral("<numcols>3</numcols></replist>")},
        {"missing numrows", head + QStringLiteral("<numcols>2</numcols></replist>")},
        {"cell before counts",
         head + QStringLiteral("<cell col=\"1\" row=\"1\">a</cell>") + counts + QStringLiteral("</replist>")},
        {"column out of range",
         head + counts + QStringLiteral("<cell col=\"3\" row=\"1\">a</cell></replist>")},
        {"row zero", head + counts + QStringLiteral("<cell col=\"1\" row=\"0\">a</cell></replist>")},
        {"row beyond", head + counts + QStringLiteral("<cell col=\"1\" row=\"3\">a</cell></replist>")},
        {"no row attribute", head + counts + QStringLiteral("<cell col=\"1\">a</cell></replist>")},
        {"name of column 0", head + counts + QStringLiteral("<colname col=\"0\">a</colname></replist>")},
        {"bad check mode",
         head + counts + QStringLiteral("<checkedcolumn col=\"1\">maybe</checkedcolumn></replist>")},
        {"bad checked flag",
         head + counts + QStringLiteral("<cell col=\"1\" row=\"1\" checked=\"y\">a</cell></replist>")},
        {"element inside a cell",
         head + counts + QStringLiteral("<cell col=\"1\" row=\"1\">a<b/></cell></replist>")},
        {"unknown entity",
         head + counts + QStringLiteral("<cell col=\"1\" row=\"1\">&ext;</cell></replist>")},
        {"signature only", QStringLiteral("<replist krolibset")},
    };
    for (const Case &c : cases) {
        EXPECT_FALSE(d.ReadFromXMLString(c.Text)) << c.What;
        EXPECT_FALSE(d.LastError().isEmpty()) << c.What;
        EXPECT_EQ(Snapshot(d), before) << c.What;
    }
    // Errors say where they are.
    d.ReadFromXMLString(head + counts + QStringLiteral("<cell col=\"9\" row=\"1\">a</cell></replist>"));
    EXPECT_TRUE(d.LastError().startsWith(QStringLiteral("Line 5, column "))) << d.LastError().toStdString();
    EXPECT_TRUE(d.LastError().contains(QStringLiteral("col=\"9\""))) << d.LastError().toStdString();

    // Invalid UTF-8 and a huge line of noise, through a stream.
    QByteArray bytes = (head + counts).toUtf8() + "<cell col=\"1\" row=\"1\">\xff\xfe\xc3</cell></replist>\n";
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    EXPECT_FALSE(d.ReadFromXMLStream(&buf));
    EXPECT_EQ(Snapshot(d), before);
    QByteArray noise(100 * 1024 * 1024, 'z');
    QBuffer big(&noise);
    big.open(QIODevice::ReadOnly);
    EXPECT_FALSE(d.ReadFromXMLStream(&big));
    EXPECT_EQ(Snapshot(d), before);
    noise.clear();

    // Missing files and closed streams.
    EXPECT_FALSE(d.LoadFromXMLFile(QStringLiteral("/nonexistent/dir/list.xml")));
    EXPECT_FALSE(d.ReadFromXMLStream(nullptr));
    QBuffer closed;
    EXPECT_FALSE(d.ReadFromXMLStream(&closed));
    EXPECT_FALSE(d.WriteToXMLStream(&closed, true));
    EXPECT_FALSE(d.SaveAsXMLFile(QStringLiteral("/nonexistent/dir/list.xml")));
    EXPECT_EQ(Snapshot(d), before);
}

TEST(RepListXml, LongTextsAreCut)
{
    const QString longCell(10 * 1024 * 1024, QLatin1Char('c'));
    TRLData d;
    ASSERT_TRUE(d.ReadFromXMLString(
        QStringLiteral("<replist lib=\"krolibset\"><numcols>2</numcols><numrows>1</numrows>"
                       "<colname col=\"1\">%1</colname>"
                       "<columnformat col=\"1\">%1</columnformat>"
                       "<checkedcolumn col=\"2\">box</checkedcolumn>"
                       "<cell col=\"1\" row=\"1\">%2</cell>"
                       "<cell col=\"2\" row=\"1\" checked=\"1\">%2</cell></replist>")
            .arg(QString(100, QLatin1Char('n')), longCell)))
        << d.LastError().toStdString();
    EXPECT_EQ(d.GetColName(1).size(), 50);
    EXPECT_EQ(d.GetColumnFormat(1).size(), 80);
    EXPECT_EQ(d.GetElem(1, 1).size(), 255);
    EXPECT_EQ(d.GetElem(2, 1).size(), 254);
    EXPECT_TRUE(d.GetElemChecked(2, 1));
}

TEST(RepListXml, ProgressOfReadsWritesAndExports)
{
    TRLData d;
    d.SetNrCols(3);
    d.SetNrRows(5000);
    d.Fill(QStringLiteral("value"));
    std::vector<int> seen;
    d.SetOnPercentDone([&](QObject *S, int P) {
        EXPECT_EQ(S, &d);
        seen.push_back(P);
    });
    auto check = [&](const char *What) {
        ASSERT_FALSE(seen.empty()) << What;
        EXPECT_LE(seen.size(), 101u) << What;
        EXPECT_EQ(seen.front(), 0) << What;
        EXPECT_EQ(seen.back(), 100) << What;
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << What;
        EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << What;
        seen.clear();
    };
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    ASSERT_TRUE(d.WriteToXMLStream(&buf, true));
    check("write");
    buf.seek(0);
    ASSERT_TRUE(d.ReadFromXMLStream(&buf));
    check("read");
    ASSERT_TRUE(d.CopyToClipBoard(1, 1, 3, 5000, true, false));
    check("clipboard");
    QTemporaryDir dir;
    ASSERT_TRUE(d.ExportHTMLTable(dir.filePath(QStringLiteral("t.html")), 1, 1, 3, 5000, {}, 1, 1, 1, 0, true,
                                  QString(), QString(), QString()));
    check("html");
}

TEST(RepListXml, TheDocumentedExampleLoads)
{
    QFile doc(QStringLiteral(KROGUI_SOURCE_DIR "/docs/replist-xml.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString md = QString::fromUtf8(doc.readAll());
    const qsizetype from = md.indexOf(QStringLiteral("```xml\n")) + 7;
    const QString example = md.mid(from, md.indexOf(QStringLiteral("```"), from) - from);
    EXPECT_TRUE(CheckIfValidReplist(QStringLiteral(KROGUI_SOURCE_DIR "/docs/replist-xml.md"),
                                    QStringLiteral("orders 2024")));
    TRLData d;
    ASSERT_TRUE(d.ReadFromXMLString(example, QStringLiteral("Orders 2024"))) << d.LastError().toStdString();
    EXPECT_EQ(d.NrOfColumns(), 3);
    EXPECT_EQ(d.GetElem(1, 1), QStringLiteral("Smith & Sons <London>"));
    EXPECT_EQ(d.GetElem(1, 2), QStringLiteral("Müller\tGmbH"));
    EXPECT_TRUE(d.GetElemChecked(2, 1));
    EXPECT_EQ(d.Strings()->GetString(2, 2), QStringLiteral(" "));
    EXPECT_EQ(d.CommonHeader(), QStringLiteral("Orders\nsecond quarter"));
    EXPECT_EQ(d.GetColumnFormat(3), QStringLiteral("[f][80]0.00"));
}
