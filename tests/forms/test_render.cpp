// krogui-render: the sample form to a PNG at scale 1 and 2, controls drawn at the density of the
// scale, and clear failures.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <map>

namespace {

struct TRun
{
    int Exit = -1;
    QString Err;
};

TRun Render(const QStringList &Args)
{
    QProcess P;
    P.start(QStringLiteral(KROGUI_RENDER_PROGRAM), Args);
    TRun R;
    if (!P.waitForFinished(120000)) return R;
    R.Exit = P.exitStatus() == QProcess::NormalExit ? P.exitCode() : -2;
    R.Err = QString::fromLocal8Bit(P.readAllStandardError());
    return R;
}

const QString Sample = QStringLiteral(KROGUI_SOURCE_DIR "/examples/forms/labpanel.ui");

/// The number of distinct colours in Img (a blank picture has one).
int Colours(const QImage &Img)
{
    QSet<QRgb> Seen;
    for (int y = 0; y < Img.height(); y += 2)
        for (int x = 0; x < Img.width(); x += 2)
            Seen.insert(Img.pixel(x, y));
    return Seen.size();
}

TEST(Render, SampleFormAtScaleOneAndTwo)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString One = Dir.filePath(QStringLiteral("one.png")),
                  Two = Dir.filePath(QStringLiteral("two.png"));
    TRun R = Render({Sample, One});
    ASSERT_EQ(R.Exit, 0) << R.Err.toStdString();
    R = Render({Sample, Two, QStringLiteral("--scale"), QStringLiteral("2")});
    ASSERT_EQ(R.Exit, 0) << R.Err.toStdString();

    const QImage A(One), B(Two);
    ASSERT_FALSE(A.isNull());
    ASSERT_FALSE(B.isNull());
    EXPECT_EQ(A.size(), QSize(640, 400)); // the form's own geometry
    EXPECT_EQ(B.size(), QSize(1280, 800));
    EXPECT_GT(Colours(A), 20) << "the picture is blank";
    EXPECT_GT(Colours(B), 20) << "the picture is blank";
}

// A form of self-drawn controls at known places on a plain window.
const char *const DenseForm = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Dense</class>
 <widget class="QWidget" name="Dense">
  <property name="geometry"><rect><x>0</x><y>0</y><width>420</width><height>330</height></rect></property>
  <widget class="kro::TMeter" name="meter">
   <property name="geometry"><rect><x>8</x><y>8</y><width>200</width><height>150</height></rect></property>
   <property name="Caption"><string>bar</string></property>
   <property name="Value"><double>37.5</double></property>
  </widget>
  <widget class="kro::TSevenSeg" name="digits">
   <property name="geometry"><rect><x>220</x><y>8</y><width>190</width><height>66</height></rect></property>
   <property name="Caption"><string>-12.8</string></property>
  </widget>
  <widget class="kro::TNumLab" name="label">
   <property name="geometry"><rect><x>220</x><y>90</y><width>190</width><height>30</height></rect></property>
   <property name="Value"><double>3.14159</double></property>
  </widget>
  <widget class="kro::TReportListView" name="list">
   <property name="geometry"><rect><x>8</x><y>170</y><width>402</width><height>150</height></rect></property>
   <property name="NrOfColumns"><number>3</number></property>
   <property name="NrOfRows"><number>4</number></property>
   <property name="CommonHeader"><string>Readings</string></property>
   <property name="CommonHeaderVisible"><bool>true</bool></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget><class>kro::TMeter</class><extends>QWidget</extends><header location="global">krogui/gauges/meter.h</header></customwidget>
  <customwidget><class>kro::TSevenSeg</class><extends>QWidget</extends><header location="global">krogui/displays/sevenseg.h</header></customwidget>
  <customwidget><class>kro::TNumLab</class><extends>QWidget</extends><header location="global">krogui/displays/numlab.h</header></customwidget>
  <customwidget><class>kro::TReportListView</class><extends>QAbstractScrollArea</extends><header location="global">krogui/replist/reportlistview.h</header></customwidget>
 </customwidgets>
</ui>
)";

struct TArea
{
    const char *Name;
    QRect Box;
};
const TArea DenseAreas[] = {{"meter", QRect(8, 8, 200, 150)},
                            {"seven-segment", QRect(220, 8, 190, 66)},
                            {"label", QRect(220, 90, 190, 30)},
                            {"report list", QRect(8, 170, 402, 150)}};

/// Blocks of a 2x picture inside Box (logical) that hold more than one colour: none when the
/// picture was only enlarged.
int MixedBlocks(const QImage &Img, const QRect &Box)
{
    int N = 0;
    for (int y = Box.top(); y <= Box.bottom(); ++y)
        for (int x = Box.left(); x <= Box.right(); ++x) {
            const QRgb C = Img.pixel(2 * x, 2 * y);
            N += Img.pixel(2 * x + 1, 2 * y) != C || Img.pixel(2 * x, 2 * y + 1) != C ||
                 Img.pixel(2 * x + 1, 2 * y + 1) != C;
        }
    return N;
}

TEST(Render, ControlsAtScaleTwoAreTheSamePictureAtTwiceTheDensity)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Form = Dir.filePath(QStringLiteral("dense.ui"));
    {
        QFile F(Form);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(DenseForm);
    }
    const QString One = Dir.filePath(QStringLiteral("one.png")),
                  Two = Dir.filePath(QStringLiteral("two.png"));
    TRun R = Render({Form, One});
    ASSERT_EQ(R.Exit, 0) << R.Err.toStdString();
    R = Render({Form, Two, QStringLiteral("--scale=2")});
    ASSERT_EQ(R.Exit, 0) << R.Err.toStdString();
    const QImage A = QImage(One).convertToFormat(QImage::Format_RGB32),
                 B = QImage(Two).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(A.size(), QSize(420, 330));
    ASSERT_EQ(B.size(), QSize(840, 660));

    // Outside the controls not one pixel differs: nothing is drawn beyond a control.
    int Outside = 0;
    QPoint FirstOutside;
    std::map<const char *, int> Differ;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            if (A.pixel(x, y) == B.pixel(2 * x, 2 * y)) continue;
            const TArea *In = nullptr;
            for (const TArea &Area : DenseAreas)
                if (Area.Box.contains(x, y)) In = &Area;
            if (In)
                ++Differ[In->Name];
            else if (Outside++ == 0)
                FirstOutside = QPoint(x, y);
        }
    EXPECT_EQ(Outside, 0) << "first at " << FirstOutside.x() << "," << FirstOutside.y();
    for (const TArea &Area : DenseAreas) {
        // Inside, only the edges of text and smoothed digits may differ from the scale-1 picture.
        const int All = Area.Box.width() * Area.Box.height();
        EXPECT_LT(Differ[Area.Name], All / 12) << Area.Name;
        // And it is really drawn at twice the density, not enlarged.
        EXPECT_GT(MixedBlocks(B, Area.Box), All / 200) << Area.Name;
    }

    // A fractional ratio draws at the next whole scale and fits the picture to the window.
    const QString OneAndHalf = Dir.filePath(QStringLiteral("x15.png"));
    R = Render({Form, OneAndHalf, QStringLiteral("--scale"), QStringLiteral("1.5")});
    ASSERT_EQ(R.Exit, 0) << R.Err.toStdString();
    const QImage C(OneAndHalf);
    EXPECT_EQ(C.size(), QSize(630, 495));
    // The seven-segment display's background and the window's sit where they belong.
    EXPECT_EQ(C.pixel(345, 30), B.pixel(460, 40));
    EXPECT_EQ(C.pixel(3, 3), A.pixel(2, 2));
}

TEST(Render, FailuresExitNonZeroWithAMessage)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Out = Dir.filePath(QStringLiteral("out.png"));
    const QString Junk = Dir.filePath(QStringLiteral("junk.ui"));
    {
        QFile F(Junk);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write("<ui version=\"4.0\"><widget class=");
    }
    struct TCase
    {
        QStringList Args;
        int Exit;
        const char *Says;
    } Cases[] = {
        {{}, 2, "usage"},
        {{Sample}, 2, "usage"},
        {{Sample, Out, QStringLiteral("--scale"), QStringLiteral("zero")}, 2, "bad scale"},
        {{Sample, Out, QStringLiteral("--scale")}, 2, "needs a value"},
        {{Sample, Out, QStringLiteral("--bogus")}, 2, "unknown option"},
        {{Dir.filePath(QStringLiteral("missing.ui")), Out}, 1, "cannot open"},
        {{Junk, Out}, 1, "junk.ui"},
        {{Sample, QStringLiteral("/nonexistent-dir/out.png")}, 1, "cannot write"},
    };
    for (const TCase &C : Cases) {
        const TRun R = Render(C.Args);
        const std::string Args = C.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(R.Exit, C.Exit) << Args << "\n" << R.Err.toStdString();
        EXPECT_TRUE(R.Err.contains(QLatin1String(C.Says))) << Args << "\n" << R.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Out));
}

} // namespace
