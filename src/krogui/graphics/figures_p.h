#pragma once
// The rasteriser of ellipses, arcs and pies behind TCanvas, and the canvas's cache of the pixels
// of the figures it drew last. Internal to the library; not installed.

#include <krogui/graphics/canvas.h>

#include <QtGlobal>

#include <algorithm>
#include <memory>
#include <vector>

namespace kro {

/// Start angle and sweep (degrees, counter-clockwise) from the rays through (X3, Y3) and (X4, Y4)
/// out of the centre (Cx, Cy); equal points give the whole ellipse.
KROGUI_EXPORT void ArcAngles(double Cx, double Cy, int X3, int Y3, int X4, int Y4, double &Start, double &Span);

// The pixels of a figure as runs of one row, box-relative and inclusive; Pen says which colour.
struct TFigureRun
{
    int X0, X1;
    uchar Pen; // 1: the pen's (outline and radii), 0: the brush's (inside)
};

// All pixels of one ellipse, arc or pie in a W x H box, row by row: the inside and the outline as
// disjoint runs, so that every pixel is drawn once and raster operations such as not and xor hold.
// They depend on the figure's shape alone, so a canvas keeps those of the figures it drew last:
// a dial drawn again costs little more than its fills.
struct TFigurePixels
{
    int Kind = 0, W = 0, H = 0;
    bool Pen = false, Brush = false;
    double Start = 0, Span = 0;
    std::vector<int> RowStart; // the runs of row y are Runs[RowStart[y]] .. Runs[RowStart[y + 1] - 1]
    std::vector<TFigureRun> Runs;

    bool Is(int K, int Wd, int Ht, bool P, bool B, double S, double Sp) const
    {
        return Kind == K && W == Wd && H == Ht && Pen == P && Brush == B && Start == S && Span == Sp;
    }
};

struct TEllipseShape;

struct TCanvas::TFigureCache
{
    static constexpr size_t kMaxShapes = 12, kMaxFigures = 16;
    // The most recently used first.
    std::vector<std::shared_ptr<const TEllipseShape>> Shapes;
    std::vector<std::shared_ptr<const TFigurePixels>> Figures;

    template <class T, class Match, class Make>
    static std::shared_ptr<const T> Find(std::vector<std::shared_ptr<const T>> &List, size_t Max, Match &&Is,
                                         Make &&New)
    {
        for (size_t i = 0; i < List.size(); ++i)
            if (Is(*List[i])) {
                std::rotate(List.begin(), List.begin() + qsizetype(i), List.begin() + qsizetype(i) + 1);
                return List.front();
            }
        std::shared_ptr<const T> made = New();
        if (List.size() >= Max) List.pop_back();
        List.insert(List.begin(), made);
        return made;
    }

    std::shared_ptr<const TFigurePixels> Figure(int Kind, int W, int H, bool Pen, bool Brush, double Start,
                                                double Span);
};

} // namespace kro
