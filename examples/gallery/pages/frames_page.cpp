// The frame styles and the marker symbols of the framework layer.
#include "gallery.h"

#include <krogui/frame/control.h>
#include <krogui/frame/drawing.h>

namespace {

class FramesAndMarkers : public kro::TGraphicControl
{
public:
    explicit FramesAndMarkers(QWidget *Parent) : kro::TGraphicControl(Parent)
    {
        SetDesignSize(420, 330);
        SetColor(kro::clBtnFace);
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
        c->Pen()->SetColor(kro::clNavy);
        c->Brush()->SetStyle(kro::bsSolid);
        c->Brush()->SetColor(kro::clYellow);
        for (int m = 0; m < kro::NumMarkers; ++m) {
            const int x = 20 + (m % 13) * 30, y = 150 + (m / 13) * 40;
            kro::DrawMarkOnCanvas(c, m, x, y);
            c->Brush()->SetStyle(kro::bsClear);
            c->Font()->SetSize(6);
            c->TextOut(x - 6, y + 9, QString::number(m));
            c->Font()->SetSize(8);
            c->Brush()->SetStyle(kro::bsSolid);
            c->Brush()->SetColor(kro::clYellow);
        }
    }
};

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "The six frame styles of DrawFrame and the 52 marker symbols of DrawMarkOnCanvas, drawn with the "
        "pixel rules every control uses."));
    auto *ctl = new FramesAndMarkers(page->Stage());
    ctl->SetBounds(10, 10, 420, 330);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Frames and markers"), 0, CreatePage);

} // namespace
