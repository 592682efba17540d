// TOnOffBut: properties, groups, mouse and keyboard, user glyphs, Assign and accessibility.
#include <krogui/buttons/onoffbut.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kro;

namespace {

class OnOffButTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window.resize(400, 300);
        Window.show();
    }
    TOnOffBut *Make(QWidget *Parent = nullptr)
    {
        auto *b = new TOnOffBut(Parent ? Parent : &Window);
        b->show();
        return b;
    }
    static void Click(TOnOffBut *B, int X, int Y)
    {
        QTest::mouseClick(B, Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
    }
    /// A point well inside the glyph.
    static QPoint Inside(TOnOffBut *B)
    {
        return QPoint(B->LeftSpace() + B->GlyphWidth() / 2, B->TopSpace() + B->GlyphHeight() / 2);
    }
    QWidget Window;
};

} // namespace

TEST_F(OnOffButTest, DefaultsAndCentring)
{
    TOnOffBut loose; // without a parent the resize handler does not re-centre
    EXPECT_EQ(loose.Width(), 100);
    EXPECT_EQ(loose.Height(), 50);
    EXPECT_EQ(loose.sizeHint(), QSize(100, 50));
    EXPECT_EQ(loose.LeftSpace(), 35);
    EXPECT_EQ(loose.TopSpace(), 18);
    EXPECT_TRUE(loose.OnOff());
    EXPECT_EQ(loose.ButtonStyle(), oobsColSlideLR);
    EXPECT_EQ(loose.Mode(), oobmNormalBut);
    EXPECT_EQ(loose.MouseAction(), oomaFocused);
    EXPECT_EQ(loose.FrameStyle(), fsLowered);
    EXPECT_EQ(loose.ColorBackgnd(), clBtnFace);
    EXPECT_EQ(loose.LeftTextAlignment(), taRightJustify);
    EXPECT_EQ(loose.RightTextAlignment(), taLeftJustify);

    TOnOffBut *b = Make();
    b->SetBounds(0, 0, 121, 61);
    EXPECT_EQ(b->LeftSpace(), (121 - 30) / 2);
    EXPECT_EQ(b->TopSpace(), (61 - 18) / 2);
    b->SetButtonStyle(oobsBulb);
    EXPECT_EQ(b->LeftSpace(), (121 - 39) / 2);
    EXPECT_EQ(b->TopSpace(), (61 - 49) / 2);
    // With AutoCenter the offsets cannot be set: they re-centre.
    b->SetLeftSpace(3);
    EXPECT_EQ(b->LeftSpace(), (121 - 39) / 2);
}

TEST_F(OnOffButTest, SpacesAreLimitedToTheSizeAndNegativesIgnored)
{
    TOnOffBut *b = Make();
    b->SetAutoCenter(false);
    b->SetTopSpace(500);
    EXPECT_EQ(b->TopSpace(), 50);
    b->SetLeftSpace(101);
    EXPECT_EQ(b->LeftSpace(), 100);
    b->SetLeftSpace(-4);
    EXPECT_EQ(b->LeftSpace(), 100);
    b->SetLeftSpace(7);
    EXPECT_EQ(b->LeftSpace(), 7);
    b->SetAutoCenter(true);
    EXPECT_EQ(b->LeftSpace(), 35);
    EXPECT_EQ(b->TopSpace(), 16);
}

TEST_F(OnOffButTest, MouseActionDecidesWhereAClickToggles)
{
    TOnOffBut *b = Make();
    int clicks = 0;
    b->SetOnClick([&](QObject *S) {
        EXPECT_EQ(S, b);
        ++clicks;
    });
    // oomaFocused: the outermost row and column of the glyph box do not count.
    Click(b, b->LeftSpace(), b->TopSpace() + 5);
    Click(b, b->LeftSpace() + 5, b->TopSpace());
    Click(b, 2, 2);
    EXPECT_TRUE(b->OnOff());
    EXPECT_EQ(clicks, 0);
    Click(b, b->LeftSpace() + 1, b->TopSpace() + 1);
    EXPECT_FALSE(b->OnOff());
    EXPECT_EQ(clicks, 1);
    b->SetMouseAction(oomaPlain);
    Click(b, 2, 2);
    EXPECT_TRUE(b->OnOff());
    b->SetMouseAction(oomaNone);
    Click(b, Inside(b).x(), Inside(b).y());
    EXPECT_TRUE(b->OnOff());
    EXPECT_EQ(clicks, 2);
    // Only the left button toggles.
    b->SetMouseAction(oomaPlain);
    QTest::mouseClick(b, Qt::RightButton, Qt::NoModifier, Inside(b));
    EXPECT_TRUE(b->OnOff());
}

TEST_F(OnOffButTest, MomentaryButtonIsOnOnlyWhileHeldAndClicksDrawnOff)
{
    TOnOffBut *b = Make();
    b->SetMode(oobmSpeedBut);
    EXPECT_FALSE(b->OnOff());
    bool offInClick = false;
    QImage shownInClick;
    b->SetOnClick([&](QObject *) {
        offInClick = !b->OnOff();
        shownInClick = b->Surface();
    });
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, Inside(b));
    EXPECT_TRUE(b->OnOff());
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, Inside(b));
    EXPECT_FALSE(b->OnOff());
    EXPECT_TRUE(offInClick);
    // The glyph shown in OnClick is the off glyph (its transparent pixels show the background).
    const QImage off = b->Glyph(false, true);
    const int x0 = b->LeftSpace() + 1, y0 = b->TopSpace() + 1;
    int same = 0, opaque = 0;
    for (int y = 0; y < off.height(); ++y)
        for (int x = 0; x < off.width(); ++x)
            if ((off.pixel(x, y) & 0xFFFFFF) != 0xEBBEEB) {
                ++opaque;
                same += (shownInClick.pixel(x0 + x, y0 + y) & 0xFFFFFF) == (off.pixel(x, y) & 0xFFFFFF);
            }
    EXPECT_GT(opaque, 100);
    EXPECT_EQ(same, opaque);

    // Dragged off the glyph before the release: off again, but no click.
    int clicks = 0;
    b->SetOnClick([&](QObject *) { ++clicks; });
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, Inside(b));
    EXPECT_TRUE(b->OnOff());
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(b->OnOff());
    EXPECT_EQ(clicks, 0);
}

TEST_F(OnOffButTest, GroupKeepsExactlyOneOn)
{
    TOnOffBut *a = Make(), *b = Make(), *c = Make();
    QSignalSpy changedA(a, &TOnOffBut::OnOffChanged);
    for (TOnOffBut *x : {a, b, c}) {
        x->SetAllowAllOff(false);
        x->SetGroupIndex(1);
    }
    // Joining the group switched the earlier members off: the last one is on.
    EXPECT_FALSE(a->OnOff());
    EXPECT_FALSE(b->OnOff());
    EXPECT_TRUE(c->OnOff());
    ASSERT_EQ(changedA.count(), 1);
    EXPECT_FALSE(changedA[0][0].toBool());
    // Clicking the one that is on leaves it on; switching it off is ignored.
    Click(c, Inside(c).x(), Inside(c).y());
    EXPECT_TRUE(c->OnOff());
    c->SetOnOff(false);
    EXPECT_TRUE(c->OnOff());
    // Clicking another releases it.
    Click(a, Inside(a).x(), Inside(a).y());
    EXPECT_TRUE(a->OnOff());
    EXPECT_FALSE(c->OnOff());
    b->SetOnOff(true);
    EXPECT_EQ(int(a->OnOff()) + int(b->OnOff()) + int(c->OnOff()), 1);
    // AllowAllOff set on one member is taken over by the group.
    c->SetAllowAllOff(true);
    EXPECT_TRUE(a->AllowAllOff());
    EXPECT_TRUE(b->AllowAllOff());
    b->SetOnOff(false);
    EXPECT_FALSE(a->OnOff() || b->OnOff() || c->OnOff());

    // The same index under another parent is another group.
    QWidget other(&Window);
    TOnOffBut *d = Make(&other);
    d->SetGroupIndex(1);
    a->SetOnOff(true);
    EXPECT_TRUE(d->OnOff());
    EXPECT_TRUE(a->OnOff());
}

TEST_F(OnOffButTest, SpaceTogglesWhenFocused)
{
    TOnOffBut *b = Make();
    int clicks = 0;
    b->SetOnClick([&](QObject *) { ++clicks; });
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_FALSE(b->OnOff());
    EXPECT_EQ(clicks, 1);
    b->SetMode(oobmSpeedBut);
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->OnOff());
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_FALSE(b->OnOff());
    EXPECT_EQ(clicks, 2);
    b->SetMode(oobmNormalBut);
    b->SetMouseAction(oomaNone);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_FALSE(b->OnOff());
}

TEST_F(OnOffButTest, UserGlyphsFromBitmapAndFileRefuseBadInput)
{
    TOnOffBut *b = Make();
    b->SetButtonStyle(oobsUser);
    // The default user glyphs: 20 x 20, a ring when on, a cross when off.
    EXPECT_EQ(b->GlyphWidth(), 20);
    const QImage on = b->Glyph(true, true), off = b->Glyph(false, true);
    EXPECT_EQ(QColor(off.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(off.pixel(10, 10)), QColor(Qt::black));
    EXPECT_EQ(QColor(on.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(on.pixel(5, 10)), QColor(Qt::black));

    TBitmap sheet(24, 10);
    sheet.Canvas()->Brush()->SetColor(clRed);
    sheet.Canvas()->FillRect(0, 0, 12, 5);
    b->SetUserGlyph(sheet);
    EXPECT_EQ(b->GlyphWidth(), 12);
    EXPECT_EQ(b->GlyphHeight(), 5);
    EXPECT_EQ(QColor(b->Glyph(true, true).pixel(3, 3)), QColor(Qt::red));
    EXPECT_EQ(QColor(b->Glyph(false, true).pixel(3, 3)), QColor(Qt::white));

    // Odd sizes, empty bitmaps, missing files and files that are no picture keep the glyphs.
    TBitmap odd(25, 10);
    EXPECT_THROW(b->SetUserGlyph(odd), EKROError);
    EXPECT_THROW(b->SetUserGlyph(TBitmap()), EKROError);
    QTemporaryDir dir;
    EXPECT_THROW(b->LoadUserGlyph(dir.filePath(QStringLiteral("missing.png"))), EKROError);
    QFile junk(dir.filePath(QStringLiteral("junk.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a picture");
    junk.close();
    EXPECT_THROW(b->LoadUserGlyph(junk.fileName()), EKROError);
    QImage(7, 8, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("odd.png")));
    EXPECT_THROW(b->LoadUserGlyph(dir.filePath(QStringLiteral("odd.png"))), EKROError);
    EXPECT_EQ(b->GlyphWidth(), 12);
    EXPECT_EQ(QColor(b->Glyph(true, true).pixel(3, 3)), QColor(Qt::red));

    QImage good(40, 30, QImage::Format_RGB32);
    good.fill(Qt::blue);
    ASSERT_TRUE(good.save(dir.filePath(QStringLiteral("good.png"))));
    b->LoadUserGlyph(dir.filePath(QStringLiteral("good.png")));
    EXPECT_EQ(b->GlyphWidth(), 20);
    EXPECT_EQ(b->GlyphHeight(), 15);
    // User glyphs loaded under another style wait for oobsUser.
    b->SetButtonStyle(oobsCheckbox);
    sheet.SetSize(4, 4);
    b->SetUserGlyph(sheet);
    EXPECT_EQ(b->GlyphWidth(), 16);
    b->SetButtonStyle(oobsUser);
    EXPECT_EQ(b->GlyphWidth(), 2);
}

TEST_F(OnOffButTest, AssignCopiesTheButton)
{
    TOnOffBut *a = Make(), *b = Make();
    a->SetAutoCenter(false);
    a->SetLeftSpace(5);
    a->SetRightText(QStringLiteral("Pump"));
    a->SetRightTextAlignment(taCenter);
    a->SetButtonStyle(oobsBulb);
    a->SetOnOff(false);
    a->SetTransparent(true);
    a->SetEnabled(false);
    a->SetColorText(clRed);
    b->Assign(a);
    EXPECT_FALSE(b->AutoCenter());
    EXPECT_EQ(b->LeftSpace(), 5);
    EXPECT_EQ(b->RightText(), QStringLiteral("Pump"));
    EXPECT_EQ(b->RightTextAlignment(), taCenter);
    EXPECT_EQ(b->ButtonStyle(), oobsBulb);
    EXPECT_EQ(b->GlyphWidth(), 39);
    EXPECT_EQ(b->Glyph(true, true), a->Glyph(true, true));
    EXPECT_FALSE(b->OnOff());
    EXPECT_TRUE(b->Transparent());
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->ColorText(), clRed);
    // Through AssignTo from the other side, too.
    TOnOffBut *c = Make();
    static_cast<TComponentBase *>(c)->Assign(a);
    EXPECT_EQ(c->ButtonStyle(), oobsBulb);
}

TEST_F(OnOffButTest, AccessibleRoleStateAndName)
{
    TOnOffBut *b = Make();
    b->SetLeftText(QStringLiteral("Off"));
    b->SetRightText(QStringLiteral("On"));
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(acc->role(), QAccessible::CheckBox);
    EXPECT_TRUE(acc->state().checked);
    EXPECT_EQ(acc->text(QAccessible::Name), QStringLiteral("Off On"));
    b->SetOnOff(false);
    EXPECT_FALSE(acc->state().checked);
    b->SetButtonStyle(oobsRadioBut);
    EXPECT_EQ(acc->role(), QAccessible::RadioButton);
    b->SetMode(oobmSpeedBut);
    EXPECT_EQ(acc->role(), QAccessible::Button);
    b->SetMode(oobmNormalBut);
    auto *action = acc->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(b->OnOff());
}
