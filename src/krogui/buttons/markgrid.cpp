#include <krogui/buttons/markgrid.h>

#include <algorithm>

namespace kro {

void TMarkGrid::Compute(int Width, int Height, int NrCols, int NrRows, const TMarkVisibility &Vis)
{
    FCols = std::max(1, NrCols);
    FPlaced = 0;
    FCellOf.fill(-1);
    FMarkAt.fill(-1);
    for (int i = 0; i < NumMarkers; ++i) {
        if (i == 0 || Vis[i]) { // symbol 0 cannot be hidden
            FCellOf[i] = FPlaced;
            FMarkAt[FPlaced++] = i;
        }
    }
    // A grid too small for the visible symbols grows by rows: a symbol that can be picked is seen.
    FRows = std::max({1, NrRows, (FPlaced + FCols - 1) / FCols});
    FMarkDistHorz = std::max(0, (Width - 4) / FCols);
    FMarkDistVert = std::max(0, (Height - 4) / FRows);
    FMarkMarginHorz = FMarkDistHorz / 2;
    FMarkMarginVert = FMarkDistVert / 2;
    FMarkCoords.fill(QPoint());
    for (int n = 0; n < FPlaced; ++n)
        FMarkCoords[FMarkAt[n]] = QPoint(FMarkMarginHorz + FMarkDistHorz * (n % FCols),
                                         FMarkMarginVert + FMarkDistVert * (n / FCols));
}

int TMarkGrid::NearestMark(int X, int Y) const
{
    double best = 1e10;
    int mark = 0;
    for (int n = 0; n < FPlaced; ++n) {
        const QPoint p = FMarkCoords[FMarkAt[n]];
        const double dx = double(X) - p.x(), dy = double(Y) - p.y();
        const double d = dx * dx + dy * dy;
        if (d < best) { // strictly closer: ties keep the lower number
            best = d;
            mark = FMarkAt[n];
        }
    }
    return mark;
}

int TMarkGrid::Step(int Mark, TStep Step) const
{
    const int n = CellOf(Mark);
    if (n < 0 || FPlaced == 0) return FPlaced > 0 ? FMarkAt[0] : 0;
    int to = n;
    switch (Step) {
    case stPrev:
        to = n - 1;
        break;
    case stNext:
        to = n + 1;
        break;
    case stUp:
        to = n - FCols;
        break;
    case stDown:
        to = n + FCols;
        break;
    case stFirst:
        to = 0;
        break;
    case stLast:
        to = FPlaced - 1;
        break;
    }
    return to >= 0 && to < FPlaced ? FMarkAt[to] : Mark;
}

} // namespace kro
