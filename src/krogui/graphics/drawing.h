#pragma once
// Frames, marker symbols and outlines shared by the controls.

#include <krogui/graphics/canvas.h>

namespace kro {

/// Draws the frame of Style inside the rectangle (corners inclusive: Right and Bottom are the
/// last pixels of the frame). Callers pass C1..C4 as white, silver, gray and black and C5 as a
/// line colour of their own (fsSimple uses C5). With five zero colours on a white mask it marks
/// exactly the frame's pixels. Lines per style:
/// - fsNone: nothing.
/// - fsSimple: one line in C5 around.
/// - fsLowered: C3 (gray) on top and left, C1 (white) on bottom and right.
/// - fsRaised: C1 on top and left, C3 on bottom and right.
/// - fsEmbossed: outer C1 top/left and C4 bottom/right, inner C2 top/left and C3 bottom/right.
/// - fsEngraved: outer C3 top/left and C1 bottom/right, inner C4 top/left and C2 bottom/right.
/// Degenerate rectangles draw nothing.
KROGUI_EXPORT void DrawFrame(TCanvas *Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
                             TColor C1, TColor C2, TColor C3, TColor C4, TColor C5);

/// Number of marker symbols (0..51).
constexpr int NumMarkers = 52;
/// Draws marker symbol Mark (0..51, others draw nothing) centred on (X, Y) with the canvas's pen
/// (outline) and brush (filled symbols; open ones leave their inside alone). The symbols: 0 dot,
/// 1 plus, 2 cross, 3 asterisk; 4..17 open and filled square, circle, diamond and triangles
/// pointing up, down, left and right (9 x 9 pixels); 18..31 the same small (5 x 5); 32..45 the
/// same large (13 x 13); 46 horizontal bar, 47 vertical bar, 48/49 open and filled hexagon,
/// 50/51 open and filled five-pointed star. See MarkerName.
KROGUI_EXPORT void DrawMarkOnCanvas(TCanvas *Canvas, int Mark, int X, int Y);
/// A short English name of marker symbol Mark ("filled circle").
KROGUI_EXPORT QString MarkerName(int Mark);

/// Outlines the rectangle with the pen; Right and Bottom are inclusive.
KROGUI_EXPORT void DrawRectangle(TCanvas *Canvas, int Left, int Top, int Right, int Bottom);

} // namespace kro
