#include <krogui/replist/rlcellpainter.h>

#include <krogui/core/kromath.h>

#include <QStringList>

#include <algorithm>

namespace kro {

namespace {

constexpr TColor BevelGrey = 0x808080;
constexpr TColor FixedCellColor = 0xC0C0C0;
const QString PwdText = QStringLiteral("******");

// Left edge of a text W pixels wide in Box by alignment.
int AlignedX(const TRect &Box, int W, TAlignment Align)
{
    return Align == taRightJustify ? Box.Right - W
           : Align == taCenter     ? (Box.Left + Box.Right) / 2 - W / 2
                                   : Box.Left;
}

// The empty box or ring of a check cell at its top-left corner (L, T).
void DrawCheckFrame(TCanvas *C, int L, int T, TCheckMode Mode)
{
    if (Mode == cmRadio)
        C->Ellipse(L + 4, T + 4, L + 15, T + 15);
    else
        C->Rectangle(L + 4, T + 4, L + 15, T + 15);
}

// The dot of a checked radio cell or the tick of a checked box, in the pen's colour.
void DrawCheckMark(TCanvas *C, int L, int T, TCheckMode Mode)
{
    if (Mode == cmRadio) {
        C->MoveTo(L + 8, T + 7);
        C->LineTo(L + 11, T + 7);
        for (int i = 0; i < 3; ++i) {
            C->MoveTo(L + 7, T + 8 + i);
            C->LineTo(L + 12, T + 8 + i);
        }
        C->MoveTo(L + 8, T + 11);
        C->LineTo(L + 11, T + 11);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        C->MoveTo(L + 6, T + 8 + i);
        C->LineTo(L + 9, T + 11 + i);
        C->MoveTo(L + 8, T + 10 + i);
        C->LineTo(L + 13, T + 5 + i);
    }
}

// The sort arrow at (X, Y): pointing up for ascending order.
void DrawSortArrow(TCanvas *C, int X, int Y, bool Ascending)
{
    if (Ascending) {
        C->Pen()->SetColor(BevelGrey);
        C->MoveTo(X - 4, Y + 3);
        C->LineTo(X, Y - 3);
        C->Pen()->SetColor(clWhite);
        C->LineTo(X + 4, Y + 3);
        C->LineTo(X - 4, Y + 3);
    } else {
        C->Pen()->SetColor(clWhite);
        C->MoveTo(X + 4, Y - 3);
        C->LineTo(X, Y + 3);
        C->Pen()->SetColor(BevelGrey);
        C->LineTo(X - 4, Y - 3);
        C->LineTo(X + 4, Y - 3);
    }
}

} // namespace

TRLCellLook RLCellLook(const TRLCellSettings &S, const TRLDataCell &Cell, TFontStyles BaseStyle)
{
    TRLCellLook l;
    // The stored text; a password cell of a check column keeps its flag, so the mark still
    // tells the truth.
    l.Text = Cell.Shown ? Cell.Text : QString();
    if (Cell.Pwd) {
        const bool check = Cell.Mode != cmNone;
        l.Text = check ? (l.Text.isEmpty() ? QStringLiteral(" ") : l.Text.left(1)) + PwdText : PwdText;
    }
    TColor font = S.FColorNormal, bg = S.FRColorNormal;
    if (S.FRowColPattern > 0)
        bg = (((Cell.Row - 1) / S.FRowColPattern) % 2) ? S.FRColorNormal : S.FRColorShaded;
    TFontStyles style = BaseStyle;
    const quint8 attrib = Cell.Shown ? Cell.Attrib : 0;
    if (S.FEnabled) {
        const bool colSel = Cell.ColSelected, rowSel = attrib & rlRowSelected;
        if (attrib & rlRowDisabled) {
            bg = S.FDisabledBkgdColor;
            font = S.FDisabledTextColor;
        } else if (colSel && rowSel) {
            bg = S.FSelBothColor;
            font = S.FSelBothTextColor;
        } else if (colSel) {
            bg = S.FSelColColor;
            font = S.FSelColTextColor;
        } else if (rowSel) {
            bg = S.FSelRowColor;
            font = S.FSelRowTextColor;
        }
        if (Cell.Row == S.FHiLgtRow || Cell.Col == S.FHiLgtColumn) {
            bg = S.FHiLgtColor;
            font = S.FHiLgtTextColor;
            if (S.FHiLgtBold) style |= fsBold;
        }
    }
    TColor pen = bg;
    if (Cell.FixedCol) bg = pen = FixedCellColor;
    if (!S.FEnabled) font = clInactiveCaption;
    l.Pen = pen;
    l.Brush = bg;
    l.Font = font;
    l.Style = style;
    return l;
}

void RLPaintDataCell(TCanvas *C, const TRect &Rect, const TRect &Work, const TRLCellSettings &S,
                     const TRLDataCell &Cell, const TRLCellLook &Look, int ColWidth, bool Italic)
{
    const bool check = Cell.Mode != cmNone;
    // Font and brush; texts too wide for the column are cut with "...".
    C->Font()->SetStyle(Look.Style);
    C->Font()->SetColor(Look.Font);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Look.Brush);
    const int fullLength = int(Look.Text.size());
    const QString text = RLCutCellText(Look.Text, C->TextWidth(check ? Look.Text.mid(1) : Look.Text),
                                       ColWidth - (check ? 16 : 0) - 9, Cell.Align == taRightJustify);
    // The background.
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Look.Brush);
    C->Rectangle(Work);
    C->Pen()->SetColor(Look.Pen);

    TRect tr = kro::Rect(Rect.Left + 4, Rect.Top + 2, Rect.Right - 5, Rect.Bottom);
    auto drawText = [&](const TRect &Box, const QString &Str) {
        C->TextRect(Box, AlignedX(Box, C->TextWidth(Str) + (Italic ? 2 : 0), Cell.Align), Box.Top - 1, Str);
    };
    if (!check) {
        drawText(tr, text);
    } else if (fullLength > 1 || S.FShowEmptyCBx) {
        // Check box or radio mark, then the text after the flag.
        tr.Left += 16;
        const bool checked = !text.isEmpty() && text.at(0) != QLatin1Char(' ');
        const bool disabledRow = Cell.Shown && (Cell.Attrib & rlRowDisabled);
        drawText(tr, text.mid(1));
        if (!S.FROCheckMarks) {
            C->Pen()->SetColor(!S.FEnabled ? clInactiveCaption : (disabledRow ? Look.Pen : clBtnShadow));
            DrawCheckFrame(C, Rect.Left, Rect.Top, Cell.Mode);
        }
        if (checked) {
            C->Pen()->SetColor(S.FEnabled ? Look.Font : clInactiveCaption);
            DrawCheckMark(C, Rect.Left, Rect.Top, Cell.Mode);
        }
    }
    // Cells of a fixed column are raised.
    if (Cell.FixedCol) RLDrawBevel(C, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

void RLPaintColumnHeader(TCanvas *C, const TRect &Rect, int Xr, const TRLHeaderCell &Head, bool Italic)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Head.Color);
    C->Font()->SetColor(Head.TextColor);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Head.Color);
    C->Rectangle(Rect);

    const TRect tr = kro::Rect(Rect.Left + 4, Rect.Top + 2, Rect.Right - 5, Rect.Bottom);
    const QStringList lines = Head.Name.split(QLatin1Char('\n'));
    const int room = Head.ColWidth - (Head.Sorted ? 13 : 0) - 9;
    const int h = C->TextHeight(Head.Name);
    int firstWidth = 0;
    for (int i = 0; i < int(lines.size()); ++i) {
        QString line = lines[i];
        int w = C->TextWidth(line);
        if (!line.isEmpty() && w > room) {
            line = RLCutHeaderLine(line, w, room);
            w = C->TextWidth(line);
        }
        w += Italic ? 2 : 0;
        if (i == 0) firstWidth = w;
        const int y = tr.Top + i * h;
        if (y >= tr.Bottom) break;
        C->TextRect(kro::Rect(tr.Left, y, tr.Right, std::min(tr.Bottom, y + h)), AlignedX(tr, w, Head.Align),
                    y, line);
    }

    if (Head.Sorted) {
        const int span = tr.Right - tr.Left;
        int d = Head.Align == taRightJustify ? span - firstWidth - 11
                : Head.Align == taCenter     ? span / 2 + firstWidth / 2 + 10
                                             : firstWidth + 10;
        d = std::min(d, Head.ColWidth - 11);
        DrawSortArrow(C, tr.Left + d, tr.Top + h / 2, Head.Ascending);
    }

    // The bevel's right edge is the end of the visible table: only the last column shows it.
    const int l = Rect.Left, t = Rect.Top, b = Rect.Bottom;
    C->Pen()->SetColor(clWhite);
    C->MoveTo(l, b - 1);
    C->LineTo(l, t);
    C->LineTo(std::min(Xr, Rect.Right), t);
    C->Pen()->SetColor(BevelGrey);
    C->MoveTo(l + 1, b - 1);
    C->LineTo(std::min(Xr - 1, Rect.Right), b - 1);
    if (Xr - 1 >= l && Xr - 1 < Rect.Right) C->LineTo(Xr - 1, t);
}

void RLPaintCommonHeader(TCanvas *C, const TRect &Rect, int Xr, const QString &Text, TAlignment Align,
                         TColor Color, TColor TextColor)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Font()->SetColor(TextColor);
    C->FillRect(0, Rect.Top, Xr, Rect.Bottom);
    const QStringList lines = Text.split(QLatin1Char('\n'));
    const int h = C->TextHeight(Text);
    const int top = Rect.Top + 2;
    for (int i = 0; i < int(lines.size()); ++i) {
        const int w = C->TextWidth(lines[i]);
        const int x = Align == taLeftJustify ? 4 : Align == taRightJustify ? Xr - w - 5 : Xr / 2 - w / 2;
        const int y = top + i * h;
        if (y >= Rect.Bottom) break;
        C->TextRect(kro::Rect(0, y, Xr, std::min(Rect.Bottom, y + h)), x, y, lines[i]);
    }
    RLDrawBevel(C, 0, Rect.Top, Xr, Rect.Bottom);
    C->Pen()->SetColor(BevelGrey);
    C->MoveTo(Xr - 1, Rect.Bottom - 1);
    C->LineTo(Xr - 1, Rect.Top);
    C->Pen()->SetColor(clBlack);
    C->MoveTo(Xr, Rect.Bottom - 1);
    C->LineTo(Xr, Rect.Top);
}

QString RLPasswordText()
{
    return PwdText;
}

void RLDrawBevel(TCanvas *C, int L, int T, int R, int B)
{
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(L, B - 1);
    C->LineTo(L, T);
    C->LineTo(R, T);
    C->Pen()->SetColor(BevelGrey);
    C->MoveTo(L + 1, B - 1);
    C->LineTo(R - 1, B - 1);
    C->LineTo(R - 1, T);
}

QString RLCutCellText(const QString &Text, int TextWidth, int Room, bool RightAligned)
{
    if (TextWidth <= 0 || Room >= TextWidth) return Text;
    const int g = std::max(1, Round(double(Text.size()) * Room / TextWidth - 4));
    return RightAligned ? Text.left(1) + QStringLiteral("...") + Text.right(g)
                        : Text.left(g) + QStringLiteral("...");
}

QString RLCutHeaderLine(const QString &Line, int LineWidth, int Room)
{
    if (Line.isEmpty() || LineWidth <= Room) return Line;
    return Line.left(std::max(1, Round(double(Line.size()) * Room / LineWidth - 3))) + QStringLiteral("...");
}

} // namespace kro
