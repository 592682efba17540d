// TMiniCal: painting of the cells and the mouse, key and wheel input.
#include <krogui/minical/minical.h>

#include "minical_p.h"

#include <krogui/core/keys.h>
#include <krogui/core/strutil.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/colors.h>

namespace kro {

// ---- painting ----------------------------------------------------------------------------------

void TMiniCal::DrawCentred(const TRect &R, const QString &Text)
{
    TCanvas *c = Canvas();
    const int x = R.Left + (R.Width() - c->TextWidth(Text)) / 2;
    const int y = R.Top + (R.Height() - c->TextHeight(Text)) / 2;
    c->TextRect(R, x, y, Text);
}

void TMiniCal::DrawButtonFrame(const TRect &R)
{
    if (!Ctl3D()) return;
    TCanvas *c = Canvas();
    TPen *pen = c->Pen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetMode(pmCopy);
    const int l = R.Left, t = R.Top, r = R.Right, b = R.Bottom;
    pen->SetColor(clWhite);
    c->MoveTo(l, b - 1);
    c->LineTo(l, t);
    c->LineTo(r, t);
    pen->SetColor(0x686868);
    c->MoveTo(l, b);
    c->LineTo(r, b);
    c->LineTo(r, t);
    pen->SetColor(0x9CA0A5);
    c->MoveTo(l + 1, b - 1);
    c->LineTo(r - 1, b - 1);
    c->LineTo(r - 1, t);
    pen->SetColor(0xE6E2E2);
    c->MoveTo(l + 1, b - 2);
    c->LineTo(l + 1, t + 1);
    c->LineTo(r - 1, t + 1);
}

void TMiniCal::DrawNavCell(int ACol, int ARow, const TRect &Rect)
{
    TCanvas *c = Canvas();
    const int glw = GridLineWidth();
    TRect r = Rect;
    QString text;
    if (ACol == 0) {
        // "#" covers the corner of the navigation and weekday rows; both cells draw it so that a
        // repaint of either keeps it whole.
        if (ARow == 0)
            r.Bottom += glw + RowHeights(1);
        else
            r.Top -= RowHeights(0) + glw;
        text = QStringLiteral("#");
    } else if (ACol >= 3 && ACol <= 5) {
        // The title spans columns 3..5; column 5 draws it last, 3 and 4 only for a partial repaint.
        const TRect paint = PaintRect();
        const int step = Rect.Width() + glw;
        r.Left = Rect.Left - (ACol - 3) * step;
        r.Right = Rect.Right + (5 - ACol) * step;
        if (ACol != 5 && paint.Left <= r.Left && paint.Right >= r.Right) return;
        const QString month =
            d->FMonthShort ? kro::MonthShort(d->FLanguage, Month()) : kro::MonthLong(d->FLanguage, Month());
        text = month + QLatin1Char(' ') + QString::number(Year());
    } else {
        static const char *const marks[8] = {"", "<<", "<", "", "", "", ">", ">>"};
        text = QString::fromLatin1(marks[ACol]);
    }
    c->Brush()->SetColor(clBtnFace);
    DrawCentred(r, text);
    DrawButtonFrame(r);
}

void TMiniCal::DrawDayCell(int ACol, int ARow, const TRect &Rect)
{
    TCanvas *c = Canvas();
    const int s = DayAtCell(ACol, ARow, d->FMonOfs);
    const int days = DaysPerMonth(Year(), Month());
    TColor bg = d->FDayColors[size_t(WeekdayOfColumn(ACol, d->F1stDayWeek))];
    TColor fg = d->FColorActMon;
    int shown = s;
    if (s < 1) {
        shown = s + (Month() == 1 ? 31 : DaysPerMonth(Year(), Month() - 1));
        fg = d->FColorInactMon;
    } else if (s > days) {
        shown = s - days;
        fg = d->FColorInactMon;
    } else {
        QString caption;
        const bool holiday = d->FIndicateHolid && CheckHoliday(Year(), Month(), s, caption);
        if (holiday) {
            bg = d->FColorHdayBg;
            fg = d->FColorHdayFg;
        }
        if (s == Day()) {
            fg = d->FColorSelFg;
            bg = holiday ? MeanColor(d->FColorSelBg, d->FColorHdayBg) : d->FColorSelBg;
        }
    }
    c->Brush()->SetColor(bg);
    c->Font()->SetColor(fg);
    DrawCentred(Rect, QString::number(shown));
    if (d->FMarkToday && s >= 1 && s <= days) {
        const QDate today = QDate::currentDate();
        if (today.year() == Year() && today.month() == Month() && today.day() == s) {
            c->Brush()->SetStyle(bsClear);
            c->Pen()->SetStyle(psSolid);
            c->Pen()->SetMode(pmCopy);
            c->Pen()->SetWidth(1);
            c->Pen()->SetColor(d->FColorToday);
            c->Ellipse(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
            c->Brush()->SetStyle(bsSolid);
        }
    }
}

void TMiniCal::DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState)
{
    TCanvas *c = Canvas();
    c->Font()->Assign(*Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    if (ARow == 0 || (ARow == 1 && ACol == 0)) {
        DrawNavCell(ACol, ARow, Rect);
    } else if (ARow == 1) {
        c->Brush()->SetColor(d->FColorDayIdBg);
        c->Font()->SetColor(d->FColorDayIdFg);
        DrawCentred(Rect, WeekDayShort(d->FLanguage, WeekdayOfColumn(ACol, d->F1stDayWeek)));
    } else if (ACol == 0) {
        // The week of the row, taken at the column of day 1 (so at the same weekday in every row).
        int col1 = 1, row1 = CalFirstWeekRow;
        CellOfDay(1, d->FMonOfs, col1, row1);
        const QDate at = QDate(Year(), Month(), 1).addDays(7 * (ARow - row1));
        const int week = WeekOfTheYear(at);
        c->Brush()->SetColor(d->FColorWknBg);
        c->Font()->SetColor(d->FColorWknFg);
        DrawCentred(Rect, week > 0 ? QString::number(week) : QString());
    } else {
        DrawDayCell(ACol, ARow, Rect);
    }
}

// ---- input -------------------------------------------------------------------------------------

void TMiniCal::ClickDay(int Col, int Row)
{
    int s = DayAtCell(Col, Row, d->FMonOfs);
    int y = Year(), m = Month();
    const int days = DaysPerMonth(y, m);
    if (d->FAutoSwitch) {
        if (s <= 0) {
            if (--m == 0) {
                m = 12;
                --y;
            }
            s += DaysPerMonth(y, m);
        } else if (s > days) {
            s -= days;
            if (++m == 13) {
                m = 1;
                ++y;
            }
        }
    }
    if (IsValidCalDate(y, m, s)) {
        ChangeDate(QDate(y, m, s));
    } else {
        UpdateCal(); // puts the current cell back on the selected day
    }
}

void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const TGridCoord hit = MouseCoord(X, Y);
    if (hit.X < 0 || hit.Y < 0) return;
    if (hit.X >= 1 && hit.Y >= CalFirstWeekRow) {
        ClickDay(hit.X, hit.Y);
        return;
    }
    if (hit.Y == 0 || (hit.Y == 1 && hit.X == 0)) {
        switch (hit.X) {
        case 0:
            SetDate(QDate::currentDate());
            break;
        case 1:
            PrevYear();
            break;
        case 2:
            PrevMonth();
            break;
        case 6:
            NextMonth();
            break;
        case 7:
            NextYear();
            break;
        default:
            break;
        }
    }
}

void TMiniCal::MouseUp(TMouseButton Button, TShiftState, int, int)
{
    // The grid's own release handling would select cells; a calendar has nothing to finish here.
    if (Button == mbLeft) Click();
}

void TMiniCal::MouseMove(TShiftState Shift, int X, int Y)
{
    // No dragging a selection across the days: only the application's handler hears the move.
    if (OnMouseMove()) OnMouseMove()(this, Shift, X, Y);
}

void TMiniCal::KeyDown(quint16 &Key, TShiftState Shift)
{
    const bool ours = Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN ||
                      Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
    if (!ours) {
        TCustomDrawGrid::KeyDown(Key, Shift);
        return;
    }
    TControlCore::KeyDown(Key, Shift); // OnKeyDown and its signal
    QDate to = d->FDate;
    const bool ctrl = Shift & ssCtrl;
    switch (Key) {
    case VK_LEFT:
        to = to.addDays(-1);
        break;
    case VK_RIGHT:
        to = to.addDays(1);
        break;
    case VK_UP:
        to = to.addDays(-7);
        break;
    case VK_DOWN:
        to = to.addDays(7);
        break;
    case VK_PRIOR:
        to = ctrl ? StepYear(to, -1) : StepMonth(to, -1);
        break;
    case VK_NEXT:
        to = ctrl ? StepYear(to, 1) : StepMonth(to, 1);
        break;
    case VK_HOME:
        to = QDate(Year(), Month(), 1);
        break;
    case VK_END:
        to = QDate(Year(), Month(), DaysPerMonth(Year(), Month()));
        break;
    default: // a handler changed or swallowed the key
        return;
    }
    Key = 0;
    if (to != d->FDate) SetDate(to); // refuses a date beyond the calendar's years
}

bool TMiniCal::DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown()) OnMouseWheelDown()(this, Shift, MousePos, handled);
    if (!handled) NextMonth();
    return true;
}

bool TMiniCal::DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp()) OnMouseWheelUp()(this, Shift, MousePos, handled);
    if (!handled) PrevMonth();
    return true;
}

} // namespace kro
