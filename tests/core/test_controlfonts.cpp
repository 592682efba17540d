// Fonts that follow the parent or the application, and the bases' smallest sensible sizes.
#include "testutil.h"

#include <krogui/browse/foldertree.h>
#include <krogui/buttons/colsel.h>
#include <krogui/core/control.h>
#include <krogui/grid/customgrid.h>
#include <krogui/numio/numio.h>

#include <QApplication>

#include <gtest/gtest.h>

using namespace kro;

namespace {

class Probe : public TCustomControl
{
public:
    explicit Probe(QWidget *Parent = nullptr) : TCustomControl(Parent) { SetDesignSize(120, 60); }
};

QFont Serif(int Points)
{
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPointSize(Points);
    return f;
}

// Sets the application font and tells the widgets, as QApplication does once its event loop runs.
void SetAppFont(const QFont &F, std::initializer_list<QWidget *> Widgets)
{
    QApplication::setFont(F);
    for (QWidget *w : Widgets) {
        QEvent e(QEvent::ApplicationFontChange);
        QApplication::sendEvent(w, &e);
    }
}

// Restores the application font when a test changed it.
struct AppFontGuard
{
    QFont Saved = QApplication::font();
    ~AppFontGuard() { QApplication::setFont(Saved); }
};

} // namespace

TEST(ControlFonts, ParentFontFollowsTheApplicationFontAndKeepsTheColour)
{
    AppFontGuard guard;
    Probe follower, own;
    const QFont ownBefore = own.FontStored();
    follower.SetFontColor(clRed);
    follower.SetParentFont(true);

    SetAppFont(Serif(15), {&follower, &own});
    EXPECT_EQ(follower.FontStored().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(follower.FontStored().pointSize(), 15);
    EXPECT_EQ(follower.FontColor(), clRed);
    EXPECT_TRUE(follower.ParentFont());
    EXPECT_EQ(own.FontStored(), ownBefore); // the default stays the control's own font

    // A font set by code ends the following.
    follower.SetFont(Serif(9));
    EXPECT_FALSE(follower.ParentFont());
    SetAppFont(Serif(21), {&follower, &own});
    EXPECT_EQ(follower.FontStored().pointSize(), 9);
}

TEST(ControlFonts, EveryBaseFollowsItsParentsFont)
{
    QWidget parent;
    QList<QWidget *> widgets = {new Probe(&parent), new TNumIO(&parent), new TDrawGrid(&parent),
                                new TColSel(&parent), new TFolderTree(&parent)};
    for (QWidget *w : widgets)
        dynamic_cast<TControlCore *>(w)->SetParentFont(true);
    parent.setFont(Serif(13));
    for (QWidget *w : widgets) {
        SCOPED_TRACE(w->metaObject()->className());
        auto *core = dynamic_cast<TControlCore *>(w);
        EXPECT_EQ(core->FontStored().family(), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(core->FontStored().pointSize(), 13);
        EXPECT_EQ(w->property("Font").value<QFont>().pointSize(), 13);
    }
    // A second change reaches them as well, also the ones that show Qt's own font.
    parent.setFont(Serif(17));
    for (QWidget *w : widgets) {
        SCOPED_TRACE(w->metaObject()->className());
        EXPECT_EQ(dynamic_cast<TControlCore *>(w)->FontStored().pointSize(), 17);
    }
    // Moved to another parent, a control takes that one's font.
    QWidget other;
    other.setFont(Serif(11));
    widgets[4]->setParent(&other);
    EXPECT_EQ(dynamic_cast<TControlCore *>(widgets[4])->FontStored().pointSize(), 11);
}

TEST(ControlFonts, MinimumSizesShowSomethingAndNeverExceedTheDesignSize)
{
    Probe p;
    const QSize least = p.minimumSizeHint();
    EXPECT_GT(least.width(), 4);
    EXPECT_GT(least.height(), 8);
    EXPECT_TRUE(least.width() <= p.sizeHint().width() && least.height() <= p.sizeHint().height());
    p.SetFont(Serif(30));
    EXPECT_GT(p.minimumSizeHint().height(), least.height());
    EXPECT_LE(p.minimumSizeHint().height(), p.sizeHint().height());

    // The grid keeps room for one cell inside its frame.
    TDrawGrid g;
    const QSize cell(g.DefaultColWidth() + 2 * g.frameWidth(), g.DefaultRowHeight() + 2 * g.frameWidth());
    EXPECT_EQ(g.minimumSizeHint(), cell.boundedTo(g.sizeHint()));
    EXPECT_GT(g.minimumSizeHint().width(), 20);
}
