// The frame styles and the marker symbols of the framework layer.
#include "gallery.h"

#include <krogui/graphics/colors.h>
#include <krogui/core/control.h>
#include <krogui/graphics/drawing.h>

#include <QComboBox>

namespace {

class FramesAndMarkers : public kro::TGraphicControl
{
public:
    explicit FramesAndMarkers(QWidget *Parent) : kro::TGraphicControl(Parent)
    {
        SetDesignSize(420, 330);
        SetColor(kro::clBtnFace);
    }

    /// Pen (outline) and brush (inside) colours of the markers.
    void SetMarkerPen(kro::TColor Value)
    {
        FMarkerPen = Value;
        Repaint();
    }
    void SetMarkerBrush(kro::TColor Value)
    {
        FMarkerBrush = Value;
        Repaint();
    }

protected:
    void Paint() override
    {
        kro::TGraphicControl::Paint();
        kro::TCanvas *c = Canvas();
        c->Font()->SetColor(kro::clBlack);
        c->Brush()->SetStyle(kro::bsClear);
        static const char *const names[] = {"fsNone",   "fsSimple",   "fsLowered",
                                            "fsRaised", "fsEmbossed", "fsEngraved"};
        for (int s = 0; s < 6; ++s) {
            const int x = 10 + (s % 3) * 135, y = 10 + (s / 3) * 60;
            kro::DrawFrame(c, kro::TFrameStyle(s), x, y, x + 120, y + 45, kro::clWhite, kro::clSilver,
                           kro::clGray, kro::clBlack, kro::clNavy);
            c->TextOut(x + 10, y + 15, QString::fromLatin1(names[s]));
        }
        c->Pen()->SetColor(FMarkerPen);
        c->Brush()->SetStyle(kro::bsSolid);
        c->Brush()->SetColor(FMarkerBrush);
        for (int m = 0; m < kro::NumMarkers; ++m) {
            const int x = 20 + (m % 13) * 30, y = 150 + (m / 13) * 40;
            kro::DrawMarkOnCanvas(c, m, x, y);
            c->Brush()->SetStyle(kro::bsClear);
            c->Font()->SetSize(6);
            c->TextOut(x - 6, y + 9, QString::number(m));
            c->Font()->SetSize(8);
            c->Brush()->SetStyle(kro::bsSolid);
            c->Brush()->SetColor(FMarkerBrush);
        }
    }

private:
    kro::TColor FMarkerPen = kro::clNavy;
    kro::TColor FMarkerBrush = kro::clYellow;
};

// A combo box of the sixteen basic colours, named as ColorToString names them.
QComboBox *ColorPicker(kro::TColor Initial, std::function<void(kro::TColor)> OnPick)
{
    auto *box = new QComboBox;
    for (int i = 0; i < 16; ++i) {
        const kro::TColor c = kro::PredefinedColors()[i];
        box->addItem(kro::ColorToString(c), QVariant::fromValue(c));
        if (c == Initial) box->setCurrentIndex(i);
    }
    QObject::connect(box, &QComboBox::currentIndexChanged, box,
                     [box, OnPick](int) { OnPick(box->currentData().value<kro::TColor>()); });
    return box;
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "The six frame styles of DrawFrame and the 52 marker symbols of DrawMarkOnCanvas, drawn with the "
        "pixel rules every control uses."));
    auto *ctl = new FramesAndMarkers(page->Stage());
    ctl->SetBounds(10, 10, 420, 330);
    page->AddEditor(QStringLiteral("Marker pen"),
                    ColorPicker(kro::clNavy, [ctl](kro::TColor c) { ctl->SetMarkerPen(c); }));
    page->AddEditor(QStringLiteral("Marker brush"),
                    ColorPicker(kro::clYellow, [ctl](kro::TColor c) { ctl->SetMarkerBrush(c); }));
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Frames and markers"), 0, CreatePage);

} // namespace
