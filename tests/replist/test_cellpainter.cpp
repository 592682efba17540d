// The report list's cell painter on its own: colours from the settings, pixels of one cell.
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>
#include <krogui/replist/rlcellpainter.h>

#include "qstringprint.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

TRLDataCell Cell(int Col, int Row, quint8 Attrib = 0, bool ColSel = false)
{
    TRLDataCell c;
    c.Col = Col;
    c.Row = Row;
    c.Attrib = Attrib;
    c.ColSelected = ColSel;
    c.Text = QStringLiteral("text");
    return c;
}

// A white 60 x 24 bitmap with one data cell painted into (0, 0, 50, 20).
struct TCellPicture
{
    TBitmap Bmp{60, 24};
    TRLCellSettings S;
    TCellPicture()
    {
        Bmp.Canvas()->Brush()->SetColor(clWhite);
        Bmp.Canvas()->FillRect(0, 0, 60, 24);
    }
    const QImage &Paint(const TRLDataCell &C)
    {
        const TRLCellLook look = RLCellLook(S, C, 0);
        const TRect r = kro::Rect(0, 0, 50, 20);
        RLPaintDataCell(Bmp.Canvas(), r, r, S, C, look, 50, false);
        return Bmp.Image();
    }
};

} // namespace

TEST(CellPainter, ColoursFollowTheirPrecedence)
{
    TRLCellSettings s;
    s.FRowColPattern = 2;
    s.FSelRowColor = 0x000011;
    s.FSelColColor = 0x000022;
    s.FSelBothColor = 0x000033;
    s.FDisabledBkgdColor = 0x000044;
    s.FHiLgtColor = 0x000055;
    s.FHiLgtBold = true;
    // Bands of two rows, the first band shaded.
    EXPECT_EQ(RLCellLook(s, Cell(1, 1), 0).Brush, s.FRColorShaded);
    EXPECT_EQ(RLCellLook(s, Cell(1, 2), 0).Brush, s.FRColorShaded);
    EXPECT_EQ(RLCellLook(s, Cell(1, 3), 0).Brush, s.FRColorNormal);
    // Disabled rows win over every selection; both selections over one; the highlight over all.
    EXPECT_EQ(RLCellLook(s, Cell(1, 1, rlRowSelected | rlRowDisabled, true), 0).Brush, 0x000044u);
    EXPECT_EQ(RLCellLook(s, Cell(1, 1, rlRowSelected, true), 0).Brush, 0x000033u);
    EXPECT_EQ(RLCellLook(s, Cell(1, 1, 0, true), 0).Brush, 0x000022u);
    EXPECT_EQ(RLCellLook(s, Cell(1, 1, rlRowSelected), 0).Brush, 0x000011u);
    s.FHiLgtColumn = 2;
    const TRLCellLook hi = RLCellLook(s, Cell(2, 1, rlRowSelected | rlRowDisabled), fsItalic);
    EXPECT_EQ(hi.Brush, 0x000055u);
    EXPECT_EQ(hi.Pen, 0x000055u);
    EXPECT_EQ(hi.Style, TFontStyles(fsItalic | fsBold));
    // A row below the last shown one has no attributes of its own and no text.
    TRLDataCell below = Cell(1, 5, rlRowSelected);
    below.Shown = false;
    EXPECT_EQ(RLCellLook(s, below, 0).Brush, s.FRColorShaded);
    EXPECT_TRUE(RLCellLook(s, below, 0).Text.isEmpty());
    // A fixed column is grey whatever else holds; a disabled view shows no selection.
    TRLDataCell fixed = Cell(1, 1, rlRowSelected);
    fixed.FixedCol = true;
    EXPECT_EQ(RLCellLook(s, fixed, 0).Brush, 0xC0C0C0u);
    s.FEnabled = false;
    const TRLCellLook off = RLCellLook(s, Cell(2, 3, rlRowSelected, true), 0);
    EXPECT_EQ(off.Brush, s.FRColorNormal);
    EXPECT_EQ(off.Font, clInactiveCaption);
}

TEST(CellPainter, PasswordCellsKeepTheCheckFlag)
{
    TRLCellSettings s;
    TRLDataCell c = Cell(1, 1);
    c.Pwd = true;
    c.Text = QStringLiteral("secret");
    EXPECT_EQ(RLCellLook(s, c, 0).Text, QStringLiteral("******"));
    c.Mode = cmBox;
    c.Text = QStringLiteral("Xsecret");
    EXPECT_EQ(RLCellLook(s, c, 0).Text, QStringLiteral("X******"));
    c.Text.clear();
    EXPECT_EQ(RLCellLook(s, c, 0).Text, QStringLiteral(" ******"));
}

TEST(CellPainter, CheckBoxesAndMarks)
{
    TCellPicture p;
    p.S.FRowColPattern = 0;
    TRLDataCell c = Cell(1, 1);
    c.Mode = cmBox;
    c.Text = QStringLiteral(" ");
    // An empty box: its frame in the button shadow colour, nothing inside.
    const QImage &empty = p.Paint(c);
    EXPECT_EQ(PixelAt(empty, 4, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(empty, 14, 14), ColorToRGB(clBtnShadow));
    EXPECT_EQ(CountColor(empty, p.S.FColorNormal, 5, 5, 14, 14), 0);
    // Checked: the tick in the text colour inside the frame.
    c.Text = QStringLiteral("X");
    EXPECT_GT(CountColor(p.Paint(c), p.S.FColorNormal, 5, 5, 14, 14), 6);
    // Without text and without ShowEmptyCheckBoxes no box at all; read-only marks draw no frame.
    p.S.FShowEmptyCBx = false;
    c.Text = QStringLiteral(" ");
    EXPECT_EQ(CountColor(p.Paint(c), ColorToRGB(clBtnShadow), 0, 0, 50, 20), 0);
    p.S.FShowEmptyCBx = true;
    p.S.FROCheckMarks = true;
    c.Text = QStringLiteral("X");
    const QImage &ro = p.Paint(c);
    EXPECT_EQ(CountColor(ro, ColorToRGB(clBtnShadow), 0, 0, 50, 20), 0);
    EXPECT_GT(CountColor(ro, p.S.FColorNormal, 5, 5, 14, 14), 6);
}

TEST(CellPainter, FixedCellsAreRaisedAndBackgroundCoversWork)
{
    TCellPicture p;
    TRLDataCell c = Cell(1, 1);
    c.Text.clear();
    c.FixedCol = true;
    const QImage &img = p.Paint(c);
    EXPECT_EQ(PixelAt(img, 0, 10), clWhite);
    EXPECT_EQ(PixelAt(img, 25, 0), clWhite);
    EXPECT_EQ(PixelAt(img, 25, 19), 0x808080u);
    EXPECT_EQ(PixelAt(img, 49, 10), 0x808080u);
    EXPECT_EQ(PixelAt(img, 25, 10), 0xC0C0C0u);
    // The background fills the work area, one pixel beyond the cell where no line follows.
    TBitmap b(60, 24);
    TRLCellSettings s;
    s.FRowColPattern = 0;
    TRLDataCell d = Cell(1, 1);
    d.Text.clear();
    RLPaintDataCell(b.Canvas(), kro::Rect(0, 0, 50, 20), kro::Rect(0, 0, 51, 21), s, d, RLCellLook(s, d, 0),
                    50, false);
    EXPECT_EQ(CountColor(b.Image(), s.FRColorNormal, 0, 0, 51, 21), 51 * 21);
}

TEST(CellPainter, ColumnHeaderArrowAndBevelEdge)
{
    TBitmap b(80, 20);
    TRLHeaderCell h;
    h.Name = QStringLiteral("A");
    h.ColWidth = 80;
    h.Color = 0xC0C0C0;
    // Not the last visible column: no grey right edge; not sorted: no arrow beside the text.
    RLPaintColumnHeader(b.Canvas(), kro::Rect(0, 0, 80, 20), 200, h, false);
    EXPECT_EQ(CountColor(b.Image(), 0x808080, 79, 1, 80, 19), 0);
    EXPECT_EQ(CountColor(b.Image(), 0x808080, 20, 1, 79, 18), 0);
    // The table ends inside this column: the edge shows there; a sorted column shows its arrow.
    h.Sorted = true;
    RLPaintColumnHeader(b.Canvas(), kro::Rect(0, 0, 80, 20), 60, h, false);
    EXPECT_EQ(CountColor(b.Image(), 0x808080, 59, 1, 60, 19), 18);
    EXPECT_GT(CountColor(b.Image(), 0x808080, 14, 1, 40, 18), 3);
    EXPECT_GT(CountColor(b.Image(), clWhite, 14, 1, 40, 18), 3);
}

TEST(CellPainter, CutRules)
{
    const QString t = QStringLiteral("abcdefghijklmnopqrst"); // 20 characters
    EXPECT_EQ(RLCutCellText(t, 100, 100, false), t);
    EXPECT_EQ(RLCutCellText(t, 0, -5, false), t);                        // unmeasured (empty) texts stay
    EXPECT_EQ(RLCutCellText(t, 200, 50, false), QStringLiteral("a...")); // 20*50/200-4 = 1
    EXPECT_EQ(RLCutCellText(t, 200, 100, false), QStringLiteral("abcdef...")); // 10-4 = 6
    EXPECT_EQ(RLCutCellText(t, 200, 100, true), QStringLiteral("a...opqrst"));
    EXPECT_EQ(RLCutCellText(t, 200, -100, true), QStringLiteral("a...t")); // at least one
    EXPECT_EQ(RLCutHeaderLine(t, 200, 100), QStringLiteral("abcdefg...")); // 10-3 = 7
    EXPECT_EQ(RLCutHeaderLine(t, 100, 100), t);
    EXPECT_EQ(RLCutHeaderLine(QString(), 100, 0), QString());
}
