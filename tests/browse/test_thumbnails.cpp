// TThumbnails: property rules, the image request protocol, what each answer paints, selection by
// clicks, the mouse highlight, wheel scrolling, Assign, and handlers that misbehave.
#include <krogui/browse/thumbnails.h>
#include <krogui/core/error.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <stdexcept>
#include <vector>

using namespace kro;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

struct TRequest
{
    int Id;
    TImageRequestProcessing How;
    int Mark;
    bool BufferEmpty;
};

// A 300 x 400 wall: two slides per row, three rows painted.
struct TWall
{
    QWidget Window;
    TThumbnails *T;
    TWall()
    {
        Window.resize(400, 500);
        T = new TThumbnails(&Window);
        T->SetBounds(0, 0, 300, 400);
    }
    QImage Picture()
    {
        T->Repaint();
        return T->Surface();
    }
    void Move(int X, int Y, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QMouseEvent ev(QEvent::MouseMove, QPointF(X, Y), T->mapToGlobal(QPointF(X, Y)), Qt::NoButton,
                       Qt::NoButton, M);
        QApplication::sendEvent(T, &ev);
    }
    void Click(int X, int Y, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::mouseClick(T, Qt::LeftButton, M, QPoint(X, Y));
    }
    void Wheel(int X, int Y, int Delta)
    {
        QWheelEvent ev(QPointF(X, Y), T->mapToGlobal(QPointF(X, Y)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(T, &ev);
    }
};

} // namespace

TEST(Thumbnails, DefaultsAndSetterRules)
{
    TThumbnails t;
    EXPECT_EQ(t.Width(), 260);
    EXPECT_EQ(t.Height(), 400);
    EXPECT_EQ(t.sizeHint(), QSize(260, 400));
    EXPECT_EQ(t.Min(), 1);
    EXPECT_EQ(t.Max(), 100);
    EXPECT_EQ(t.NumSlidesHoriz(), 2); // until the first paint
    EXPECT_DOUBLE_EQ(t.FirstThumbIdx(), 1.0);
    EXPECT_FALSE(t.accessibleName().isEmpty());

    t.SetMax(0);
    EXPECT_EQ(t.Max(), 1);
    t.SetMax(100);
    t.SetSlideSize(10);
    EXPECT_EQ(t.SlideSize(), 50);
    t.SetSlideSize(1000);
    EXPECT_EQ(t.SlideSize(), 260); // the width
    t.SetSlideDistance(-5);
    EXPECT_EQ(t.SlideDistance(), 0);
    t.SetSlideMargin(500);
    EXPECT_EQ(t.SlideMargin(), 100);
    t.SetFocusLinewidth(11);
    EXPECT_EQ(t.FocusLinewidth(), 10);
    t.SetColorScheme(csSystem);
    EXPECT_EQ(t.ColGrayLine(), clBtnShadow);
    EXPECT_EQ(t.ColWhiteLine(), clBtnHighlight);
    t.SetColorScheme(csBWG);
    EXPECT_EQ(t.ColGrayLine(), 0x808080u);

    // A narrow control does not drive the slide size below the floor.
    TThumbnails narrow;
    narrow.SetBounds(0, 0, 30, 100);
    narrow.SetSlideSize(40);
    EXPECT_EQ(narrow.SlideSize(), 50);
}

TEST(Thumbnails, RangeChangesNeverRaiseAndKeepTheSelection)
{
    TThumbnails t;
    t.SetSelectedSlide(5, true);
    t.SetSelectedSlide(40, true);
    EXPECT_NO_THROW(t.SetMin(200)); // above Max: an empty wall, no negative bit count
    EXPECT_EQ(t.NumSlidesSelected(), 0);
    EXPECT_NO_THROW(t.Surface());
    EXPECT_NO_THROW(t.SetMax(300));
    EXPECT_NO_THROW(t.SetMin(-2000000000));
    EXPECT_NO_THROW(t.SetMax(2000000000));
    EXPECT_NO_THROW(t.Surface());

    TThumbnails u;
    u.SetSelectedSlide(5, true);
    u.SetSelectedSlide(40, true);
    u.SetSelectedSlide(0, true);   // outside: ignored
    u.SetSelectedSlide(101, true); // outside: ignored
    EXPECT_EQ(u.NumSlidesSelected(), 2);
    u.SetMin(3); // renumbering the bits keeps the same slides selected
    EXPECT_TRUE(u.GetSelectedSlide(5));
    EXPECT_TRUE(u.GetSelectedSlide(40));
    EXPECT_EQ(u.FirstSelectedSlide(), 5);
    u.SetMin(10); // slide 5 leaves the range
    EXPECT_FALSE(u.GetSelectedSlide(5));
    EXPECT_EQ(u.NumSlidesSelected(), 1);
    u.SetMax(30); // slide 40 leaves the range
    EXPECT_EQ(u.NumSlidesSelected(), 0);
    EXPECT_EQ(u.FirstSelectedSlide(), 9); // Min - 1: none
    // The scroll position follows the range.
    EXPECT_GE(u.FirstThumbIdx(), 10.0);
    u.ResetAllSelections();
    u.SetSelectedSlide(12, true);
    u.SetSlideSelectMode(ssmMultiple);
    EXPECT_EQ(u.NumSlidesSelected(), 0); // a new mode starts afresh
}

TEST(Thumbnails, RequestsComeColumnByColumnWithFreshArguments)
{
    TWall w;
    std::vector<TRequest> seen;
    QStringList order;
    w.T->SetOnFirstImageRequest([&](QObject *S) {
        EXPECT_EQ(S, w.T);
        order << "first";
    });
    w.T->SetOnLastImageRequest([&](QObject *) { order << "last"; });
    w.T->SetOnImageRequest([&](QObject *S, int Id, TImageRequestProcessing &How, int &Mark, TBitmap *&Buf) {
        EXPECT_EQ(S, w.T);
        seen.push_back({Id, How, Mark, Buf && Buf->Empty()});
        order << QString::number(Id);
        // Fill the shared buffer and change the answers: the next request must not see them.
        Buf->SetSize(40, 30);
        How = irpShowSlide;
        Mark = 3;
    });
    w.Picture();
    EXPECT_EQ(w.T->NumSlidesHoriz(), 2);
    EXPECT_EQ(w.T->NumSlidesVert(), 3);
    EXPECT_EQ(order, QStringList({"first", "1", "3", "5", "2", "4", "6", "last"}));
    for (const TRequest &r : seen) {
        EXPECT_EQ(r.How, irpShowEmpty) << r.Id;
        EXPECT_EQ(r.Mark, -1) << r.Id;
        EXPECT_TRUE(r.BufferEmpty) << r.Id;
    }

    // Half a row scrolled: slide 3 is at the top; a fourth partial row comes into view.
    w.T->SetFirstThumbIdx(4);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 3.5);
    order.clear();
    w.Picture();
    EXPECT_EQ(order, QStringList({"first", "3", "5", "7", "4", "6", "8", "last"}));

    // Past Max nothing is requested.
    w.T->SetMax(6);
    order.clear();
    w.Picture();
    EXPECT_EQ(order, QStringList({"first", "3", "5", "4", "6", "last"}));
}

TEST(Thumbnails, WhatEachAnswerPaints)
{
    TWall w;
    w.T->SetColorBackGnd(clYellow);
    w.T->SetColorCover(clLime);
    w.T->SetColorMark(clRed);
    TBitmap portrait(50, 100);
    portrait.Canvas()->Brush()->SetColor(clFuchsia);
    portrait.Canvas()->FillRect(0, 0, 50, 100);
    w.T->SetOnImageRequest([&](QObject *, int Id, TImageRequestProcessing &How, int &Mark, TBitmap *&Buf) {
        if (Id == 1) {
            How = irpShowNothing;
            Mark = 4; // an open square: still drawn
        } else if (Id == 2) {
            How = irpShowSlide;
            Buf = &portrait; // a bitmap of the application's own
        } else if (Id == 3) {
            How = irpShowFrameOnly;
        } else if (Id == 4) {
            How = irpShowSlide; // but the buffer stays empty
        }
    });
    const QImage img = w.Picture();
    // Slide 1 (10, 12)-(144, 146): background only, apart from the marker at (20, 24).
    EXPECT_EQ(CountColor(img, clLime, 10, 12, 145, 147), 0);
    EXPECT_EQ(PixelAt(img, 77, 79), clYellow);
    EXPECT_GT(CountColor(img, clRed, 14, 18, 27, 31), 0);
    // Slide 2 (146, 12): the portrait scaled to 60 x 120, centred.
    EXPECT_EQ(CountColor(img, clFuchsia, 0, 0, 300, 400), 60 * 120 - (60 + 120 - 1)); // less the frame
    EXPECT_EQ(PixelAt(img, 146 + 7 + 30 + 30, 12 + 7 + 60), clFuchsia);
    EXPECT_EQ(PixelAt(img, 146 + 7 + 29, 12 + 7 + 60), clLime);
    EXPECT_EQ(PixelAt(img, 146 + 7 + 30 + 61, 12 + 7 + 60), clLime);
    // Slide 3 (10, 148): cover only; slide 4 the same (an empty buffer shows no picture).
    EXPECT_EQ(PixelAt(img, 77, 148 + 67), clLime);
    EXPECT_EQ(PixelAt(img, 146 + 67, 148 + 67), clLime);
    // Slide 5 (no handler answer): a white placeholder with the number.
    EXPECT_EQ(PixelAt(img, 10 + 7 + 2, 284 + 7 + 22), clWhite);
    // The strips along the top and bottom edge are background.
    EXPECT_EQ(PixelAt(img, 100, 5), clYellow);
    EXPECT_EQ(PixelAt(img, 100, 393), clYellow);
}

TEST(Thumbnails, TheBufferIsClearedBeforeEveryRequest)
{
    TWall w;
    // Slide 1 draws a picture, slide 3 (requested next) asks for one but draws nothing.
    w.T->SetOnImageRequest([&](QObject *, int Id, TImageRequestProcessing &How, int &, TBitmap *&Buf) {
        How = irpShowSlide;
        if (Id == 1) {
            Buf->SetSize(20, 20);
            Buf->Canvas()->Brush()->SetColor(clRed);
            Buf->Canvas()->FillRect(0, 0, 20, 20);
        }
    });
    const QImage img = w.Picture();
    EXPECT_GT(CountColor(img, clRed, 10, 12, 145, 147), 0);
    EXPECT_EQ(CountColor(img, clRed, 10, 148, 145, 283), 0);
}

TEST(Thumbnails, PicturesOfTheApplicationAreShownAsTheyAreNow)
{
    // The wall keeps scaled copies of the application's bitmaps; a changed bitmap must show changed.
    TWall w;
    TBitmap own(40, 40);
    own.Canvas()->Brush()->SetColor(clRed);
    own.Canvas()->FillRect(0, 0, 40, 40);
    w.T->SetOnImageRequest([&](QObject *, int Id, TImageRequestProcessing &How, int &, TBitmap *&Buf) {
        if (Id == 1) {
            How = irpShowSlide;
            Buf = &own;
        }
    });
    EXPECT_EQ(PixelAt(w.Picture(), 77, 79), clRed);
    own.Canvas()->Brush()->SetColor(clBlue);
    own.Canvas()->FillRect(0, 0, 40, 40);
    EXPECT_EQ(PixelAt(w.Picture(), 77, 79), clBlue);
    own.Canvas()->SetPixel(20, 20, clLime);
    EXPECT_GT(CountColor(w.Picture(), clLime, 10, 12, 145, 147), 0);
    own.Assign(QImage(10, 10, QImage::Format_RGB32));
    EXPECT_NO_THROW(w.Picture());
    // A smoothed picture differs from a sharp one of the same bitmap: stripes 4 x 1 become the
    // image (17, 64)-(137, 94); sharp scaling keeps only black and white inside it.
    TBitmap stripes(4, 1);
    stripes.Canvas()->SetPixel(0, 0, clBlack);
    stripes.Canvas()->SetPixel(2, 0, clBlack);
    own.Assign(stripes);
    auto mixed = [](const QImage &Img) {
        int n = 0;
        for (int y = 66; y < 92; ++y)
            for (int x = 19; x < 135; ++x)
                n += PixelAt(Img, x, y) != clBlack && PixelAt(Img, x, y) != clWhite;
        return n;
    };
    EXPECT_EQ(mixed(w.Picture()), 0);
    w.T->SetAntiAlias(true);
    EXPECT_GT(mixed(w.T->Surface()), 0);
    w.T->SetAntiAlias(false);
    EXPECT_EQ(mixed(w.T->Surface()), 0);
}

TEST(Thumbnails, AHandlerThatThrowsDoesNotStopPainting)
{
    TWall w;
    QStringList reported;
    const TExceptionHandler old = SetExceptionHandler([&](const QString &M) { reported << M; });
    int calls = 0, lastCalls = 0;
    bool fail = true;
    w.T->SetOnLastImageRequest([&](QObject *) { ++lastCalls; });
    w.T->SetOnImageRequest([&](QObject *, int, TImageRequestProcessing &, int &, TBitmap *&) {
        ++calls;
        if (fail) throw std::runtime_error("no picture");
    });
    EXPECT_NO_THROW(w.Picture());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastCalls, 1);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains("no picture"));
    fail = false;
    calls = 0;
    w.Picture();
    EXPECT_EQ(calls, 6); // painting again after the failure
    SetExceptionHandler(old);
}

TEST(Thumbnails, OddBuffersFromTheHandler)
{
    TWall w;
    TBitmap huge(4000, 10);
    int n = 0;
    w.T->SetOnImageRequest([&](QObject *, int Id, TImageRequestProcessing &How, int &Mark, TBitmap *&Buf) {
        ++n;
        How = TImageRequestProcessing(Id % 2 ? irpShowSlide : 17); // an answer out of range
        Mark = Id == 2 ? 0x1234 : (Id == 3 ? 999 : -1);            // low byte 0x34 = 52: no symbol
        if (Id == 1)
            Buf = nullptr;
        else if (Id == 3)
            Buf = &huge;
        else if (Id == 5)
            Buf->SetSize(1, 5000);
    });
    EXPECT_NO_THROW(w.Picture());
    EXPECT_EQ(n, 6);
}

TEST(Thumbnails, ClicksSelectAndReportTheSlide)
{
    TWall w;
    w.Picture();
    QStringList clicks;
    w.T->SetOnImageClick([&](QObject *S, int X, int Y, int Id) {
        EXPECT_EQ(S, w.T);
        clicks << QStringLiteral("%1,%2:%3").arg(X).arg(Y).arg(Id);
    });
    w.Click(200, 200); // slide 4
    EXPECT_TRUE(w.T->GetSelectedSlide(4));
    EXPECT_EQ(w.T->NumSlidesSelected(), 1);
    EXPECT_EQ(w.T->LastClickedSlide(), 4);
    w.Click(50, 50); // slide 1 replaces it
    EXPECT_FALSE(w.T->GetSelectedSlide(4));
    EXPECT_EQ(w.T->FirstSelectedSlide(), 1);
    // A selected slide is filled with ColorSelected.
    EXPECT_EQ(PixelAt(w.T->Surface(), 15, 25), 0x800000u);
    w.Click(145, 50); // the gap: nothing selected any more
    EXPECT_EQ(w.T->NumSlidesSelected(), 0);
    EXPECT_EQ(clicks, QStringList({"200,200:4", "50,50:1", "145,50:0"}));

    w.T->SetSlideSelectMode(ssmMultiple);
    w.Click(50, 50);                      // 1
    w.Click(200, 300, Qt::ShiftModifier); // 1..6
    EXPECT_EQ(w.T->NumSlidesSelected(), 6);
    w.Click(200, 200, Qt::ControlModifier); // toggles 4 off
    EXPECT_FALSE(w.T->GetSelectedSlide(4));
    EXPECT_EQ(w.T->NumSlidesSelected(), 5);
    w.Click(50, 200); // plain: only 3
    EXPECT_EQ(w.T->NumSlidesSelected(), 1);
    EXPECT_TRUE(w.T->GetSelectedSlide(3));

    w.T->SetSlideSelectMode(ssmDisabled);
    w.Click(50, 50);
    EXPECT_EQ(w.T->NumSlidesSelected(), 0);
    EXPECT_EQ(clicks.size(), 8); // clicks are reported in every mode

    int dbl = 0;
    w.T->SetOnImageDblClick([&](QObject *, int X, int Y, int Id) {
        ++dbl;
        EXPECT_EQ(Id, 6);
        EXPECT_EQ(X, 200);
        EXPECT_EQ(Y, 300);
    });
    QTest::mouseDClick(w.T, Qt::LeftButton, Qt::NoModifier, QPoint(200, 300));
    EXPECT_EQ(dbl, 1);
}

TEST(Thumbnails, TheHighlightFollowsTheMouse)
{
    TWall w;
    w.T->SetColorFocus(clRed);
    w.Picture();
    int changes = 0;
    w.T->SetOnFocusChange([&](QObject *) { ++changes; });
    w.Move(50, 50);
    EXPECT_EQ(w.T->FocusedSlide(), 1);
    EXPECT_EQ(changes, 1);
    // The outline of slide 1: (12, 14)-(142, 144), corners inclusive.
    EXPECT_EQ(PixelAt(w.T->Surface(), 12, 60), clRed);
    EXPECT_EQ(PixelAt(w.T->Surface(), 142, 60), clRed);
    w.Move(60, 60); // same slide: no event
    EXPECT_EQ(changes, 1);
    w.Move(200, 50);
    EXPECT_EQ(w.T->FocusedSlide(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(PixelAt(w.T->Surface(), 12, 60), 0xC0C0C0u); // removed: the cover colour again
    // A repaint keeps the highlight of the slide under the mouse.
    w.Picture();
    EXPECT_EQ(PixelAt(w.T->Surface(), 148, 60), clRed);
    w.Move(145, 50); // the gap
    EXPECT_EQ(w.T->FocusedSlide(), 0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(CountColor(w.T->Surface(), clRed, 0, 0, 300, 400), 0);

    w.Move(50, 50);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.T, &leave);
    EXPECT_EQ(w.T->FocusedSlide(), 0);

    w.T->SetFocusLinewidth(0);
    w.Move(200, 200);
    EXPECT_EQ(w.T->FocusedSlide(), 0);
}

TEST(Thumbnails, TheWheelScrollsByRows)
{
    TWall w;
    w.Picture();
    w.Wheel(50, 50, -120);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 3.0);
    w.T->SetFirstThumbIdx(4); // half a row
    w.Wheel(50, 50, -120);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 5.5);
    w.Wheel(50, 50, 120);
    w.Wheel(50, 50, 120);
    w.Wheel(50, 50, 120);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 1.0); // stops at the first row
    for (int i = 0; i < 80; ++i)
        w.Wheel(50, 50, -120);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 99.5); // slide 100 (Max) at the top, half a row up
    EXPECT_EQ(w.T->FocusedSlide(), 99);           // the slide now under the mouse

    // A wider wall: the next paint rewrites the position so that rows start whole.
    w.T->SetFirstThumbIdx(4); // 3.5: slide 4 with two per row
    w.T->SetBounds(0, 0, 20 + 3 * 136, 400);
    w.Picture();
    EXPECT_EQ(w.T->NumSlidesHoriz(), 3);
    EXPECT_DOUBLE_EQ(w.T->FirstThumbIdx(), 1.0 + 2.5 / 3);
}

TEST(Thumbnails, AssignCopiesLookRangeAndHandlersButNotTheSelection)
{
    TThumbnails a, b;
    int requests = 0, rendered = 0;
    a.SetOnImageRequest([&](QObject *, int, TImageRequestProcessing &, int &, TBitmap *&) { ++requests; });
    a.SetOnSlideRendered([&](QObject *, TCanvas *, int, int, int) { ++rendered; });
    a.SetMax(500);
    a.SetMin(10);
    a.SetSlideSize(80);
    a.SetSlideDistance(5);
    a.SetSlideMargin(3);
    a.SetColorCover(clAqua);
    a.SetColorMark(clRed);
    a.SetFrameStyle(fsEmbossed);
    a.SetAntiAlias(true);
    a.SetFocusLinewidth(4);
    a.SetColorScheme(csSystem);
    a.SetFirstThumbIdx(50);
    a.SetSlideSelectMode(ssmMultiple);
    a.SetSelectedSlide(20, true);
    b.SetSelectedSlide(12, true);

    requests = 0;
    b.Assign(&a);
    EXPECT_EQ(b.Min(), 10);
    EXPECT_EQ(b.Max(), 500);
    EXPECT_EQ(b.SlideSize(), 80);
    EXPECT_EQ(b.SlideDistance(), 5);
    EXPECT_EQ(b.SlideMargin(), 3);
    EXPECT_EQ(b.ColorCover(), clAqua);
    EXPECT_EQ(b.FrameStyle(), fsEmbossed);
    EXPECT_TRUE(b.AntiAlias());
    EXPECT_EQ(b.FocusLinewidth(), 4);
    EXPECT_EQ(b.ColorScheme(), csSystem);
    EXPECT_EQ(b.ColGrayLine(), clBtnShadow);
    EXPECT_DOUBLE_EQ(b.FirstThumbIdx(), a.FirstThumbIdx());
    EXPECT_EQ(b.ColorMark(), clBlack);         // not copied
    EXPECT_EQ(b.SlideSelectMode(), ssmSingle); // not copied
    EXPECT_TRUE(b.GetSelectedSlide(12));       // b's own selection stays
    EXPECT_FALSE(b.GetSelectedSlide(20));
    EXPECT_GT(requests, 0); // the handler came along and b repainted through it
    rendered = 0;
    b.Repaint();
    EXPECT_EQ(rendered, 0); // OnSlideRendered is not copied

    TThumbnails c;
    EXPECT_THROW(c.Assign(nullptr), EKROError);
}
