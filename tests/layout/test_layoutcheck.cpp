// The layout check itself, on small widgets whose faults are known.
#include "testutil.h"

#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

using namespace kro;
using namespace kro::test;

namespace {

// Paints a black frame and a blue box in whatever size it is given.
class Framed : public QWidget
{
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return QSize(40, 20); }
    QSize minimumSizeHint() const override { return QSize(10, 8); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.fillRect(QRect(2, 2, 4, 4), Qt::blue);
    }
};

// Sizes itself past the room it is given, as a control with a fixed size of its own would.
class Sprawling : public Framed
{
public:
    using Framed::Framed;

protected:
    void resizeEvent(QResizeEvent *E) override
    {
        if (E->size().width() < 200) resize(200, E->size().height());
    }
};

// Draws nothing at all: only the window shows through.
class Empty : public QWidget
{
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return QSize(30, 30); }
    QSize minimumSizeHint() const override { return QSize(10, 10); }
};

// Draws only when it is at least 30 pixels wide, and claims it can go down to 1 x 1.
class Shy : public Framed
{
public:
    using Framed::Framed;
    QSize minimumSizeHint() const override { return QSize(1, 1); }

protected:
    void paintEvent(QPaintEvent *E) override
    {
        if (width() >= 30)
            Framed::paintEvent(E);
        else
            QPainter(this).fillRect(rect(), Qt::white);
    }
};

} // namespace

TEST(LayoutCheck, AcceptsAControlThatDrawsInsideItself)
{
    QSize atMinimum, stretched;
    const auto record = [&](QWidget *C, const QImage &Img, const QString &Stage) {
        EXPECT_EQ(Img.size(), C->size()) << Stage.toStdString();
        (Stage.contains(QStringLiteral("minimum")) ? atMinimum : stretched) = C->size();
        return QString();
    };
    EXPECT_TRUE(FitsInLayout([](QWidget *P) { return new Framed(P); }, record));
    EXPECT_EQ(atMinimum, QSize(10, 8));
    EXPECT_EQ(stretched, QSize(120, 60));
}

TEST(LayoutCheck, FindsStrayPixelsBlankControlsAndFailedExtraChecks)
{
    const ::testing::AssertionResult sprawl = FitsInLayout([](QWidget *P) { return new Sprawling(P); });
    ASSERT_FALSE(sprawl);
    EXPECT_NE(std::string(sprawl.message()).find("outside the control"), std::string::npos)
        << sprawl.message();
    EXPECT_NE(std::string(sprawl.message()).find("at minimum"), std::string::npos) << sprawl.message();

    const ::testing::AssertionResult empty = FitsInLayout([](QWidget *P) { return new Empty(P); });
    ASSERT_FALSE(empty);
    EXPECT_NE(std::string(empty.message()).find("drew nothing"), std::string::npos) << empty.message();

    // Fine when stretched, blank when squeezed to the 1 x 1 it claims to bear.
    const ::testing::AssertionResult shy = FitsInLayout([](QWidget *P) { return new Shy(P); });
    ASSERT_FALSE(shy);
    EXPECT_NE(std::string(shy.message()).find("drew nothing"), std::string::npos) << shy.message();

    const ::testing::AssertionResult extra = FitsInLayout(
        [](QWidget *P) { return new Framed(P); },
        [](QWidget *, const QImage &, const QString &Stage) {
            return Stage.contains(QStringLiteral("stretched")) ? QStringLiteral("no digit") : QString();
        });
    ASSERT_FALSE(extra);
    EXPECT_NE(std::string(extra.message()).find("stretched 3x"), std::string::npos) << extra.message();
    EXPECT_NE(std::string(extra.message()).find("no digit"), std::string::npos) << extra.message();
}
