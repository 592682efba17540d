// Painting of the report list view: cell colours per state, cut texts, check and radio marks,
// headers and the sort arrow, read back from the painted surface.
#include "listview_util.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace kro;
using namespace kro::test;

namespace {

struct TRender
{
    TColor Pen = 0, Brush = 0, Font = 0;
    TFontStyles Styles = 0;
};

} // namespace

TEST(ListViewPaint, CellColoursForEveryState)
{
    TTestView v(4, 6);
    v.SetColorSelectedCol(0x00AA00);
    v.SetColorSelectedColText(0x000011);
    v.SetColorSelectedBoth(0xAA0000);
    v.SetColorSelectedBothText(0x000022);
    std::map<std::pair<int, int>, TRender> seen;
    v.SetOnBeforeRenderCell([&](QObject *, int C, int R, TColor &Pen, TColor &Brush, TColor &Font,
                                TFontStyles &Styles, QString &) {
        seen[{C, R}] = {Pen, Brush, Font, Styles};
    });
    v.SetRowSelect(2, true);
    v.SetColSelect(3, true);
    v.SetRowSelect(3, true);
    v.SetRowEnabled(3, false); // disabled beats selected
    v.SetHighLightRow(5);
    v.SetHighLightColumn(4);
    v.SetHighLightBold(true);
    v.Picture();
    auto check = [&](int C, int R, TColor Bg, TColor Font, bool Bold = false) {
        SCOPED_TRACE(testing::Message() << "cell " << C << "," << R);
        const TRender &r = seen[{C, R}];
        EXPECT_EQ(r.Brush, Bg);
        EXPECT_EQ(r.Pen, Bg);
        EXPECT_EQ(r.Font, Font);
        EXPECT_EQ(bool(r.Styles & fsBold), Bold);
        EXPECT_EQ(v.CellBackground(C, R), Rgb(Bg));
    };
    check(1, 1, 0xF0EFE8, 0x002000);       // shaded band
    check(1, 4, 0xFFFFFF, 0x002000);       // normal band
    check(1, 2, 0x94BAED, 0x800000);       // selected row
    check(3, 1, 0x00AA00, 0x000011);       // selected column
    check(3, 2, 0xAA0000, 0x000022);       // both
    check(2, 3, 0xF0F0F0, 0xC0C0C0);       // disabled row
    check(1, 5, 0xCC9966, 0xFFFFFF, true); // highlighted row
    check(4, 2, 0xCC9966, 0xFFFFFF, true); // highlighted column over a selected row
    check(4, 3, 0xCC9966, 0xFFFFFF, true); // ... and over a disabled one

    // Bands of two rows, then none.
    v.SetRowColPattern(2);
    v.SetHighLightRow(0);
    EXPECT_EQ(v.CellBackground(1, 4), 0xFFFFFFu);
    EXPECT_EQ(v.CellBackground(1, 5), 0xF0EFE8u);
    EXPECT_EQ(v.CellBackground(1, 6), 0xF0EFE8u);
    v.SetRowColPattern(0);
    EXPECT_EQ(v.CellBackground(1, 1), 0xFFFFFFu);

    // A disabled view shows no selection and writes in the inactive caption colour.
    v.SetEnabled(false);
    v.Picture();
    check(1, 2, 0xFFFFFF, clInactiveCaption);
    check(4, 3, 0xFFFFFF, clInactiveCaption);
    EXPECT_FALSE(v.isEnabled());

    // A fixed first column is grey with a raised edge.
    v.SetEnabled(true);
    v.SetFixedFirstColumn(true);
    const QImage img = v.Picture();
    check(1, 2, 0xC0C0C0, 0x800000);
    const TRect r = v.DataCell(1, 2);
    EXPECT_EQ(PixelAt(img, r.Left, r.Top + 5), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(img, r.Right - 1, r.Top + 5), 0x808080u);
    EXPECT_EQ(PixelAt(img, r.Left + 5, r.Bottom - 1), 0x808080u);

    // The handler's colours are the ones painted.
    v.SetOnBeforeRenderCell(
        [](QObject *, int C, int R, TColor &, TColor &Brush, TColor &, TFontStyles &, QString &Text) {
            if (C == 2 && R == 4) {
                Brush = 0x123456;
                Text.clear();
            }
        });
    v.InvalidateGrid();
    EXPECT_EQ(v.CellBackground(2, 4), 0x123456u);
}

TEST(ListViewPaint, TextsTooWideAreCut)
{
    // The rule itself: G = Round(length x room / width - 4), at least 1.
    const QString t = QStringLiteral("abcdefghijklmnopqrst");
    EXPECT_EQ(TReportListView::CutText(t, 200, 150, false), QStringLiteral("abcdefghijk..."));
    EXPECT_EQ(TReportListView::CutText(t, 200, 150, true), QStringLiteral("a...jklmnopqrst"));
    EXPECT_EQ(TReportListView::CutText(t, 200, 200, false), t);
    EXPECT_EQ(TReportListView::CutText(t, 200, 10, false), QStringLiteral("a..."));
    EXPECT_EQ(TReportListView::CutText(t, 200, -30, true), QStringLiteral("a...t"));
    EXPECT_EQ(TReportListView::CutText(QString(), 0, -5, false), QString());
    EXPECT_EQ(TReportListView::CutHeaderLine(QStringLiteral("Temperature"), 110, 55),
              QStringLiteral("Te..."));
    EXPECT_EQ(TReportListView::CutHeaderLine(QStringLiteral("T"), 10, 20), QStringLiteral("T"));

    // Painted: the long cell looks exactly like a cell holding the cut text (digits are all
    // equally wide, so the cut text fits and is not cut again).
    const QString longText = QStringLiteral("1234567890123456789012345678901234567890");
    for (const TAlignment align : {taLeftJustify, taRightJustify}) {
        SCOPED_TRACE(int(align));
        TTestView a(2, 2, false), b(2, 2, false);
        for (TTestView *v : {&a, &b}) {
            v->SetColWidths(1, 90);
            v->SetColAlignment(1, align);
        }
        a.SetElem(1, 1, longText);
        const QFontMetrics fm(a.Font()->ToQFont());
        const QString cut = TReportListView::CutText(longText, fm.horizontalAdvance(longText), 90 - 9,
                                                     align == taRightJustify);
        ASSERT_TRUE(cut.endsWith(QStringLiteral("...")) || cut.startsWith(QStringLiteral("1...")));
        b.SetElem(1, 1, cut);
        const TRect r = a.DataCell(1, 1);
        const QRect box(r.Left, r.Top, r.Width(), r.Height());
        EXPECT_EQ(a.Picture().copy(box), b.Picture().copy(box));
        b.SetElem(1, 1, longText.left(cut.size()));
        EXPECT_NE(a.Picture().copy(box), b.Picture().copy(box));
    }
}

TEST(ListViewPaint, CheckBoxesAndRadioMarks)
{
    TTestView v(3, 5);
    v.SetColCheckMode(2, cmBox);
    v.SetColCheckMode(3, cmRadio);
    v.SetElemChecked(2, 1, true);
    v.SetElemChecked(3, 2, true);
    v.SetRowColPattern(0);
    const TColor shadow = Rgb(clBtnShadow), ink = 0x002000, bg = 0xFFFFFF;
    QImage img = v.Picture();
    auto at = [&](int C, int R, int Dx, int Dy) {
        const TRect r = v.DataCell(C, R);
        return PixelAt(img, r.Left + Dx, r.Top + Dy);
    };
    // Box outline from (4,4) to (14,14), the check mark's strokes.
    EXPECT_EQ(at(2, 1, 4, 8), shadow);
    EXPECT_EQ(at(2, 1, 14, 8), shadow);
    EXPECT_EQ(at(2, 1, 9, 4), shadow);
    EXPECT_EQ(at(2, 1, 9, 14), shadow);
    for (const QPoint p : {QPoint(6, 8), QPoint(7, 9), QPoint(8, 12), QPoint(12, 6), QPoint(12, 8)})
        EXPECT_EQ(at(2, 1, p.x(), p.y()), ink) << p.x() << "," << p.y();
    EXPECT_EQ(at(2, 1, 9, 12), bg); // just below the mark's bottom stroke
    EXPECT_EQ(at(2, 2, 6, 8), bg);  // unchecked: box only
    EXPECT_EQ(at(2, 2, 4, 8), shadow);
    // Radio: a circle and a round dot.
    EXPECT_EQ(at(3, 2, 9, 4), shadow);
    for (const QPoint p : {QPoint(8, 7), QPoint(7, 9), QPoint(11, 9), QPoint(10, 11)})
        EXPECT_EQ(at(3, 2, p.x(), p.y()), ink) << p.x() << "," << p.y();
    EXPECT_EQ(at(3, 2, 7, 7), bg);
    EXPECT_EQ(at(3, 1, 9, 9), bg);

    // Read-only marks have no box; a disabled row's box takes the row's colour.
    v.SetCheckMarksReadOnly(true);
    img = v.Picture();
    EXPECT_EQ(at(2, 1, 4, 8), bg);
    EXPECT_EQ(at(2, 1, 6, 8), ink);
    v.SetCheckMarksReadOnly(false);
    v.SetRowEnabled(1, false);
    img = v.Picture();
    EXPECT_EQ(at(2, 1, 4, 8), 0xF0F0F0u);
    EXPECT_EQ(at(2, 1, 6, 8), 0xC0C0C0u);
    // A disabled view draws box and mark in the inactive caption colour.
    v.SetEnabled(false);
    img = v.Picture();
    EXPECT_EQ(at(2, 1, 4, 8), Rgb(clInactiveCaption));
    EXPECT_EQ(at(2, 1, 6, 8), Rgb(clInactiveCaption));

    // Empty check cells show a box only while ShowEmptyCheckBoxes is on.
    v.SetEnabled(true);
    v.SetElem(2, 4, QString());
    v.RLData()->Strings()->SetString(2, 4, QString());
    img = v.Picture();
    EXPECT_EQ(at(2, 4, 4, 8), shadow);
    v.SetShowEmptyCheckBoxes(false);
    img = v.Picture();
    EXPECT_EQ(at(2, 4, 4, 8), bg);
    EXPECT_EQ(at(2, 3, 4, 8), shadow); // a cell with text keeps its box

    // A password column hides the text but not the mark.
    v.SetColumnIsPwd(2, true);
    img = v.Picture();
    EXPECT_EQ(at(2, 2, 6, 8), bg);
    EXPECT_EQ(at(2, 5, 4, 8), shadow);
}

TEST(ListViewPaint, HeadersAndTheSortArrow)
{
    TTestView v(3, 4);
    for (int c = 1; c <= 3; ++c)
        v.SetColWidths(c, 80);
    v.SetCommonHeaderVisible(true);
    v.SetColorCommonHd(0x3080F0);
    v.SetColorColumnHd(0x60C060);
    EXPECT_EQ(v.FixedColor(), 0x60C060u);
    QImage img = v.Picture();
    // The common header spans the three columns and ends in a grey and a black line.
    const int xr = v.HeaderCell(3).Right;
    EXPECT_EQ(PixelAt(img, 80, 10), 0x3080F0u); // over the line between columns 1 and 2
    EXPECT_EQ(PixelAt(img, xr - 1, 10), 0x808080u);
    EXPECT_EQ(PixelAt(img, xr, 10), 0u);
    EXPECT_EQ(PixelAt(img, 5, 0), 0xFFFFFFu);
    const TRect h2 = v.HeaderCell(2);
    EXPECT_EQ(PixelAt(img, h2.Right - 8, h2.Top + 10), 0x60C060u);
    EXPECT_EQ(PixelAt(img, h2.Left - 1, h2.Top + 10), 0u); // the header row keeps its grid lines

    // The arrow sits 10 pixels after the name of the sorted column.
    const QFontMetrics fm(v.Font()->ToQFont());
    auto arrowCentre = [&](int Col) {
        const TRect r = v.HeaderCell(Col);
        return QPoint(r.Left + 4 + fm.horizontalAdvance(v.GetColName(Col)) + 10, r.Top + 2 + fm.height() / 2);
    };
    QPoint a = arrowCentre(2);
    EXPECT_EQ(PixelAt(img, a.x() - 4, a.y() + 3), 0x60C060u);
    v.Sort(2, -1, true); // ascending: point up
    img = v.Picture();
    EXPECT_EQ(PixelAt(img, a.x() - 4, a.y() + 3), 0x808080u);
    EXPECT_EQ(PixelAt(img, a.x(), a.y() - 3), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(img, a.x(), a.y() + 3), 0xFFFFFFu);
    v.Sort(2, -1, false); // descending: point down
    img = v.Picture();
    EXPECT_EQ(PixelAt(img, a.x() + 4, a.y() - 3), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(img, a.x(), a.y() + 3), 0x808080u);
    EXPECT_EQ(PixelAt(img, a.x(), a.y() - 3), 0x808080u);
    a = arrowCentre(1);
    EXPECT_EQ(PixelAt(img, a.x(), a.y() + 3), 0x60C060u); // other columns have none

    // A filter sorts only its matches: the list is unsorted, the arrow tells the filter's order.
    v.SetSecondarySortColumn(3);
    ASSERT_EQ(v.FilterAndSort(QStringLiteral("r"), {}, false, fmSimple, 1, false), 4);
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.SecondarySortColumn(), 3);
    img = v.Picture();
    EXPECT_EQ(PixelAt(img, a.x(), a.y() + 3), 0x808080u); // column 1, descending
    EXPECT_EQ(PixelAt(img, arrowCentre(2).x(), arrowCentre(2).y() + 3), 0x60C060u);
    v.ClearFilter();
    img = v.Picture();
    EXPECT_EQ(PixelAt(img, a.x(), a.y() + 3), 0x60C060u);
}
