#pragma once
// Helpers shared by the tests.

#include <krogui/core/types.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <ostream>

namespace kro::test {

/// The colour of one pixel of an image as a TColor (alpha ignored).
TColor PixelAt(const QImage &Img, int X, int Y);
/// Counts the pixels of colour C inside [L, R) x [T, B).
int CountColor(const QImage &Img, TColor C, int L, int T, int R, int B);
/// The bounding box (L, T, R, B, right and bottom inclusive) of all pixels of colour C;
/// all -1 when there is none.
struct Box
{
    int L = -1, T = -1, R = -1, B = -1;
};
Box BoundsOf(const QImage &Img, TColor C);
/// A multi-line picture of the image for failure messages: '#' for colour C, '.' otherwise.
QString Picture(const QImage &Img, TColor C);
/// Compares Img pixel for pixel (alpha ignored) with the PNG file Path. A mismatch names the first
/// differing pixels and leaves the actual picture in the temporary folder. With
/// KROGUI_WRITE_REFERENCES=1 in the environment the picture is written to Path instead.
::testing::AssertionResult MatchesReference(const QImage &Img, const QString &Path);

} // namespace kro::test

// Readable QString values in assertion messages (found by argument-dependent lookup).
inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}
