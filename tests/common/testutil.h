#pragma once
// Helpers shared by the tests.

#include <krogui/core/types.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>
#include <ostream>

class QWidget;

namespace kro::test {

// ---- input on any widget, as the window system delivers it ----
/// Press and release of Button at Pos.
void Click(QWidget *W, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton,
           Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// A double click: press, release, double-click press, release.
void DoubleClick(QWidget *W, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton);
/// A mouse move to Pos with Buttons held (none: hovering).
void MoveMouse(QWidget *W, QPoint Pos, Qt::MouseButtons Buttons = Qt::NoButton,
               Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// Press at From, moves in Steps equal steps to To with the button held, release at To.
void Drag(QWidget *W, QPoint From, QPoint To, int Steps = 4, Qt::MouseButton Button = Qt::LeftButton);
/// Types Text key by key.
void Type(QWidget *W, const QString &Text);

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

// ---- a control in an ordinary Qt layout ----
/// Makes the control under test as a child of Parent.
using ControlFactory = std::function<QWidget *(QWidget *Parent)>;
/// An extra check of the control's own picture (Picture is the control's area only) at one stage
/// ("minimum" or "stretched"); returns what is wrong, or an empty string when all is well.
using PictureCheck = std::function<QString(QWidget *Control, const QImage &Picture, const QString &Stage)>;
/// The window background of the layout check: a colour no control uses by default.
inline constexpr TColor LayoutBackdrop = 0x5A20C8; // RGB(0xC8, 0x20, 0x5A)
/// Puts the control alone in a QVBoxLayout with margins in a top-level window painted in
/// LayoutBackdrop, shrinks the window to its minimum size, grabs it, and checks that no pixel
/// outside the control (and outside the layout's contents rectangle) differs from the backdrop and
/// that the control drew something (its area holds more than one colour); then the same with the
/// window stretched so that the control may take 3x its size hint. Extra runs at both stages.
/// A failure names the stage, the sizes and the stray pixels, and leaves the picture in the
/// temporary folder.
::testing::AssertionResult FitsInLayout(const ControlFactory &Make, const PictureCheck &Extra = {});

} // namespace kro::test

// Readable QString values in assertion messages (found by argument-dependent lookup).
inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}
