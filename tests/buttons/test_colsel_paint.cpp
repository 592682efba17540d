// TColSel: item pixels (colour bar, edit mark, name background, disabled look), the closed box and
// the colour dialog of editable entries.
#include <krogui/buttons/colsel.h>
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>

#include "testutil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QTimer>

using namespace kro;
using kro::test::CountColor;
using kro::test::PixelAt;

namespace {

// Item Index drawn into a fresh white 200 x 20 bitmap.
QImage DrawnItem(TColSel &S, int Index)
{
    TBitmap bmp(200, 20);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(0, 0, 200, 20);
    S.DrawItem(Index, Rect(0, 0, 200, 20), bmp.Canvas());
    return bmp.Image().copy();
}

void MoveMouse(QWidget *W, int X)
{
    QMouseEvent ev(QEvent::MouseMove, QPointF(X, 5), W->mapToGlobal(QPointF(X, 5)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(W, &ev);
}

// Answers the colour dialog that the control opens next: Accept with Color, or cancel.
void AnswerDialog(TColSel *S, bool Accept, QColor Color = QColor())
{
    QTimer::singleShot(0, S, [S, Accept, Color] {
        auto *dlg = S->findChild<QColorDialog *>();
        ASSERT_NE(dlg, nullptr);
        if (Accept) {
            dlg->setCurrentColor(Color);
            dlg->accept();
        } else {
            dlg->reject();
        }
    });
}

// Counts the dialogs the control would open, without opening any.
class CountingColSel : public TColSel
{
public:
    int Dialogs = 0;

protected:
    bool ExecuteColorDialog(TColor &) override
    {
        ++Dialogs;
        return false;
    }
};

} // namespace

TEST(ColSelPaint, ItemShowsBarAndNameBackground)
{
    TColSel s;
    const QImage img = DrawnItem(s, 9); // clRed
    // Bar: Rectangle(3, 2, 33, 18) outlined with the pen (black), filled with the colour.
    EXPECT_EQ(PixelAt(img, 3, 2), clBlack);
    EXPECT_EQ(PixelAt(img, 32, 17), clBlack);
    EXPECT_EQ(PixelAt(img, 18, 10), clRed);
    EXPECT_EQ(CountColor(img, clRed, 0, 0, 200, 20), 28 * 14);
    EXPECT_EQ(PixelAt(img, 1, 10), clWhite); // left of the bar: untouched
    EXPECT_EQ(PixelAt(img, 18, 0), clWhite); // above it
    // The name's rectangle starts at 30 + 3 and is filled with the control's colour.
    EXPECT_EQ(PixelAt(img, 33, 0), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(img, 199, 19), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(img, 32, 0), clWhite);
    s.SetColor(clAqua);
    EXPECT_EQ(PixelAt(DrawnItem(s, 9), 199, 0), clAqua);

    // Without a bar the name starts at 3.
    s.SetColorBarWidth(0);
    const QImage bare = DrawnItem(s, 9);
    EXPECT_EQ(CountColor(bare, clRed, 0, 0, 200, 20), 0);
    EXPECT_EQ(PixelAt(bare, 3, 0), clAqua);
    EXPECT_EQ(PixelAt(bare, 2, 0), clWhite);

    // Out-of-range items draw nothing.
    EXPECT_EQ(CountColor(DrawnItem(s, 20), clWhite, 0, 0, 200, 20), 200 * 20);
    EXPECT_EQ(CountColor(DrawnItem(s, -1), clWhite, 0, 0, 200, 20), 200 * 20);
}

TEST(ColSelPaint, EditMarkContrastsWithTheBar)
{
    TColSel s;
    s.SetAllColorEditFlags();
    // Red is dark enough for a white mark, yellow light enough for a black one.
    const QImage red = DrawnItem(s, 9);
    EXPECT_EQ(PixelAt(red, 5, 4), clWhite);
    EXPECT_EQ(PixelAt(red, 5, 10), clWhite);
    EXPECT_EQ(PixelAt(red, 11, 10), clWhite);
    EXPECT_EQ(PixelAt(red, 6, 10), clRed);
    const QImage yellow = DrawnItem(s, 11);
    EXPECT_EQ(PixelAt(yellow, 5, 10), clBlack);
    EXPECT_EQ(PixelAt(yellow, 8, 15), clBlack);
    // Not editable, too narrow a bar or disabled: no mark.
    s.SetArrayAllowEdit(10, false);
    EXPECT_EQ(PixelAt(DrawnItem(s, 9), 5, 10), clRed);
    s.SetArrayAllowEdit(10, true);
    s.SetColorBarWidth(11);
    EXPECT_EQ(PixelAt(DrawnItem(s, 9), 5, 10), clRed);
    s.SetColorBarWidth(12);
    EXPECT_EQ(PixelAt(DrawnItem(s, 9), 5, 10), clWhite);
    s.SetEnabled(false);
    EXPECT_FALSE(s.Enabled());
    EXPECT_FALSE(s.isEnabled());
    const QImage off = DrawnItem(s, 9);
    EXPECT_EQ(CountColor(off, clRed, 0, 0, 200, 20), 0);
    EXPECT_EQ(CountColor(off, clWhite, 0, 0, 200, 20), 0); // the gray area covers the bar's margin
    EXPECT_EQ(PixelAt(off, 3, 2), clGray);
    EXPECT_EQ(PixelAt(off, 5, 10), clSilver);
    EXPECT_EQ(PixelAt(off, 199, 0), clSilver);
}

TEST(ColSelPaint, ClosedBoxShowsTheSelectedColour)
{
    QWidget window;
    auto *s = new TColSel(&window);
    s->SetBounds(0, 0, 145, s->height());
    window.show();
    s->SetSelColor(clLime);
    const QImage img = s->grab().toImage();
    const int lime = CountColor(img, clLime, 0, 0, img.width(), img.height());
    EXPECT_GT(lime, 100);
    s->SetSelColor(clFuchsia);
    const QImage img2 = s->grab().toImage();
    EXPECT_EQ(CountColor(img2, clLime, 0, 0, img2.width(), img2.height()), 0);
    EXPECT_EQ(CountColor(img2, clFuchsia, 0, 0, img2.width(), img2.height()), lime);
}

TEST(ColSelPaint, DialogEditsTheSelectedEditableEntry)
{
    QWidget window;
    auto *s = new TColSel(&window);
    window.show();
    int dropDowns = 0;
    QString derived;
    s->SetOnDropDown([&](QObject *) { ++dropDowns; });
    s->SetOnColorNameChange([&](QObject *, QString &Name) { derived = Name; });
    s->SetSelColor(clTeal);
    s->SetArrayAllowEdit(7, true);

    MoveMouse(s, 10);
    AnswerDialog(s, true, QColor(10, 20, 30));
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->GetArrayColor(7), RGB(10, 20, 30));
    EXPECT_EQ(s->SelColor(), RGB(10, 20, 30));
    EXPECT_EQ(derived, QStringLiteral("$001E140A"));
    EXPECT_EQ(s->itemText(6), derived);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(s->findChild<QColorDialog *>(), nullptr); // freed

    // Cancelled: nothing changes, the list still drops down.
    AnswerDialog(s, false);
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->GetArrayColor(7), RGB(10, 20, 30));
    EXPECT_EQ(dropDowns, 2);
}

TEST(ColSelPaint, DialogOnlyOverTheBarOfAnEditableEntry)
{
    QWidget window;
    auto *s = new CountingColSel;
    s->setParent(&window);
    window.show();
    s->SetArrayAllowEdit(1, true);
    MoveMouse(s, 100); // over the name
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->Dialogs, 0);
    MoveMouse(s, 29); // the bar's last column
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->Dialogs, 1);
    s->setCurrentIndex(1); // not editable
    MoveMouse(s, 5);
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->Dialogs, 1);
    // Once the mouse has left, opening the list from the keyboard offers no dialog.
    s->setCurrentIndex(0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(s, &leave);
    s->showPopup();
    s->hidePopup();
    EXPECT_EQ(s->Dialogs, 1);
}
