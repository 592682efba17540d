#pragma once
// TMeter's private state, shared by its property code (meter.cpp) and its painting (meterpaint.cpp).

#include <krogui/gauges/meter.h>
#include <krogui/gauges/needlelayout.h>

#include <krogui/graphics/canvas.h>

#include <QImage>
#include <QPoint>
#include <QString>

#include <memory>

namespace kro {

// Everything the dial picture (background, band, scale, caption) is made from, with colours
// resolved, so that a palette change is noticed as well.
struct TMeter::TDialKey
{
    int W = 0, H = 0, A = 0, CX = 0, CY = 0;
    double R = 0, Min = 0, Max = 0, Low = 0, High = 0, BandWidth = 0;
    bool Log = false, Band = false, Scale = false, Line = false, Short = false, HasBg = false;
    int NrTicks = 0, Dec = 0, FillMode = 0;
    qint64 BgKey = 0;
    TColor BakG = 0, ScaleColor = 0, BandLow = 0, BandNorm = 0, BandHigh = 0, FontColor = 0, CapColor = 0;
    QString FontName, CapName, Caption;
    int FontSize = 0, CapSize = 0, FontOrient = 0, CapOrient = 0, FontQuality = 0, CapQuality = 0;
    unsigned FontStyle = 0, CapStyle = 0;
    bool operator==(const TDialKey &) const = default;
};

struct TMeter::TDialCache
{
    TDialKey K;
    QImage Picture;
    // The canvas state the drawing left behind, handed on to the later steps and handlers.
    TColor PenColor = clBlack, BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    QPoint PenPos;
    TFont Font;
};

struct TMeterPrivate
{
    double FMinValue = 0, FMaxValue = 1;
    double FValue = 0, FValue2 = 0;
    double FLowThreshold = 0, FHighThreshold = 1;
    bool FLogarithmic = false;
    int FNrTicks = 3;
    int FDecPlaces = 1;
    bool FShortTicks = true;
    TMeterLayout FMeterLayout = mlCirc90;
    int FTRim = 8, FSRim = 10, FBRim = 10;
    bool FOFL = false, FUFL = false;
    mutable int FMeterAngle = 90;
    mutable double FMeterRadius = 0;
    mutable int FMeterCenterX = 0, FMeterCenterY = 0;
    mutable QSize FLayoutSize;
    int FAnchorSize = 24;
    bool FAnchorCovered = true;
    TBkgFill FBkgndFillMode = bfSimple;
    QString FCaption;
    TColor FColorBakG = clWhite;
    TColor FColorCover = clBtnFace;
    TColor FColorScale = 0x800000;
    TColorScheme FColorScheme = csBWG;
    TColor FColorSclBkLow = 0x00FF00;
    TColor FColorSclBkNorm = 0x0080FF;
    TColor FColorSclBkHigh = 0x0000FF;
    TFrameStyle FFrameStyle = fsRaised;
    bool FLimWatchHighOn = true, FLimWatchLowOn = true;
    TColor FLimWatchActColor = 0x0000FF;
    TColor FLimWatchPsvColor = 0x808080;
    bool FMeterScaleLine = true;
    double FScaleBkWidth = 0;
    bool FScaleBkVisible = false;
    bool FScaleVisible = true;
    TColor FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
    std::unique_ptr<TNeedleLayout> FNeedleLayout, FNeedleLayoutSec;
    TFont FFontCaption;
    QString FBakGndFName, FACoverFName;
    bool FDrewNothing = false;
    std::unique_ptr<TMeter::TDialCache> FDial;
    TNotifyEvent FOnOverFlow, FOnNormalRange, FOnUnderFlow;
    TmtBeforeDrawScaleLabelEvent FOnBeforeDrawScaleLabel;
    TBeforeDrawNeedleEvent FOnBeforeDrawNeedle;
    TMeterRenderedEvent FOnMeterRendered;
    TMouseMoveInMeterEvent FOnMouseMoveInMeter;
};

} // namespace kro
