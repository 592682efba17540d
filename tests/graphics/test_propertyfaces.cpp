// The QColor / QFont faces of colour and font properties: the stored forms must give back exactly
// the value they came from, system colours included, and the macros must route through the classic
// setters.
#include <krogui/graphics/propertyfaces.h>

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QObject>

using namespace kro;

namespace {

class FaceHolder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor Tint READ TintStored WRITE SetTint)
    Q_PROPERTY(QFont Face READ FaceStored WRITE SetFace)
    Q_PROPERTY(QColor FaceColor READ FaceColorStored WRITE SetFaceColor)

public:
    TColor Tint() const { return FTint; }
    void SetTint(TColor Value)
    {
        FTint = Value;
        ++Writes;
    }
    KRO_COLOR_FACE(Tint)

    TFont *Face() { return &FFace; }
    const TFont *Face() const { return &FFace; }
    void SetFace(const TFont &Value)
    {
        FFace.Assign(Value);
        ++Writes;
    }
    KRO_FONT_FACE(Face)

    int Writes = 0;

private:
    TColor FTint = clBlack;
    TFont FFace;
};

} // namespace

TEST(PropertyFaces, EveryColourSurvivesItsStoredForm)
{
    std::vector<TColor> colours = {clNone, clDefault, clBlack, 0x00FFFFFF, 0x00123456, 0x000000FF};
    for (TColor c : PredefinedColors())
        colours.push_back(c);
    for (unsigned i = 0; i < 256; ++i)
        colours.push_back(0xFF000000u | i);
    for (TColor c : colours) {
        const QColor stored = ToStoredColor(c);
        EXPECT_EQ(FromStoredColor(stored), c) << std::hex << c;
        // The stored form survives a trip through its name with alpha, as a form writer keeps it.
        EXPECT_EQ(FromStoredColor(QColor::fromRgba(stored.rgba())), c) << std::hex << c;
    }
    // Ordinary colours are stored opaque and as they look.
    EXPECT_EQ(ToStoredColor(0x00123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToStoredColor(clBtnFace), QColor(0, 0, 15, 1));
}

TEST(PropertyFaces, QtColoursMapAsAQtProgrammerExpects)
{
    EXPECT_EQ(FromStoredColor(QColor(Qt::red)), 0x000000FFu);
    EXPECT_EQ(FromStoredColor(QColor(Qt::transparent)), clNone);
    EXPECT_EQ(FromStoredColor(QColor()), clNone);
    // A half-transparent colour is not special: its alpha is dropped.
    EXPECT_EQ(FromStoredColor(QColor(10, 20, 30, 128)), 0x001E140Au);
    // A stray high byte is no colour; it is stored as the RGB part.
    EXPECT_EQ(FromStoredColor(ToStoredColor(0x05123456)), 0x00123456u);
}

TEST(PropertyFaces, FontSurvivesItsStoredFormKeepingColourAndRotation)
{
    TFont f;
    f.SetName("DejaVu Serif");
    f.SetSize(13);
    f.SetStyle(fsBold | fsStrikeOut);
    f.SetQuality(fqNonAntialiased);
    f.SetColor(clRed);
    f.SetOrientation(900);
    TFont back;
    back.SetColor(clRed);
    back.SetOrientation(900);
    AssignStoredFont(back, ToStoredFont(f));
    EXPECT_TRUE(back == f);

    // A QFont that sets neither size nor family keeps them.
    QFont partial;
    partial.setFamily(QString());
    partial.setItalic(true);
    TFont kept;
    kept.Assign(f);
    AssignStoredFont(kept, partial);
    EXPECT_EQ(kept.Name(), "DejaVu Serif");
    EXPECT_EQ(kept.Style(), unsigned(fsItalic));
    // Pixel sizes are taken at 96 pixels an inch.
    QFont px("DejaVu Sans");
    px.setPixelSize(16);
    AssignStoredFont(kept, px);
    EXPECT_EQ(kept.Size(), 12);
}

TEST(PropertyFaces, MacrosRouteThroughTheClassicSetters)
{
    FaceHolder h;
    h.SetTint(Qt::red);
    EXPECT_EQ(h.Tint(), 0x000000FFu);
    h.SetTint(QColor(0, 0x80, 0));
    EXPECT_EQ(h.Tint(), 0x00008000u);
    h.SetTint(clBtnFace);
    EXPECT_EQ(h.TintQColor().alpha(), 255); // resolved for painting
    EXPECT_EQ(h.TintStored(), QColor(0, 0, 15, 1));
    // Through the meta-object, as a form loader writes it.
    EXPECT_TRUE(h.setProperty("Tint", QColor(0, 0, 5, 1)));
    EXPECT_EQ(h.Tint(), 0xFF000005u);
    EXPECT_EQ(h.property("Tint").value<QColor>(), QColor(0, 0, 5, 1));

    h.SetFaceColor(clBlue);
    QFont q("DejaVu Sans Mono");
    q.setPointSize(20);
    q.setBold(true);
    EXPECT_TRUE(h.setProperty("Face", q));
    EXPECT_EQ(h.Face()->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(h.Face()->Size(), 20);
    EXPECT_EQ(h.Face()->Color(), clBlue);
    EXPECT_EQ(h.property("Face").value<QFont>().pointSize(), 20);
    EXPECT_TRUE(h.setProperty("FaceColor", QColor(0, 0, 8, 1)));
    EXPECT_EQ(h.FaceColor(), 0xFF000008u);
    EXPECT_EQ(h.Face()->Name(), "DejaVu Sans Mono");
}

#include "test_propertyfaces.moc"
