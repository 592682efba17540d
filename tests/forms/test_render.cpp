// krogui-render: the sample form to a PNG at scale 1 and 2, and clear failures.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

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
