#pragma once
// The private part of TNumIO2, shared by its source files. Not installed.

#include <krogui/core/ctimer.h>
#include <krogui/numio/numeditbuffer.h>
#include <krogui/numio/numio2.h>
#include <krogui/numio/numio2layout.h>

namespace kro {

// The text, caret and selection live in the edit buffer the private part is.
struct TNumIO2Private : TNumEditBuffer
{
    QString FLoadedText; // a stored text, checked once the stored format is in
    bool FHasLoadedText = false;
    bool FCaretVisib = true;
    bool FKeyShifted = false;
    bool FKeyCntrl = false;
    bool FValueChanged = false;
    bool FSuppressPaint = true;
    int FMouseAreaCode = 0;
    bool FOnLineCheck = true;
    TColor FColBlackLine = clBlack;
    TColor FColGrayLine = clGray;
    TColor FColWhiteLine = clWhite;
    TInFormat FInFormat = itFloat;
    int FDecP = 2;
    int FSigDig = 6;
    TDecPSep FDecPSep = dsBoth;
    double FMinimum = 0.0;
    double FMaximum = 1000.0;
    bool FBeep = false;
    bool FReadOnly = false;
    bool FAutoSize = false;
    bool FHideSel = true;
    int FLeftSpace = 35;
    int FTextBoxWidth = 80;
    QString FLeftText, FRightText;
    TAlignment FLeftTextAlign = taRightJustify;
    TAlignment FRightTextAlign = taLeftJustify;
    TAlignment FAlignment = taCenter;
    TFrameStyle FFrameStyle = fsLowered;
    TColor FColorBoxBG = clWhite;
    TColor FColorBoxText = clBlack;
    TColor FColorOutBG = clBtnFace;
    TColor FColorOutText = clBlack;
    TColor FColorWarnBG = 0x6088FFF0;
    TColor FColorWarnText = clRed;
    TColorScheme FColorScheme = csBWG;
    bool FButVisible = false;
    int FButWidth = 18;
    int FButHeight = 28;
    int FButSpace = 3;
    TColor FButColor = clSilver;
    double FButIncrem = 1.0;
    bool FBut3D = true;
    bool FGaugeVisible = false;
    int FGaugeHeight = 8;
    int FGaugeWidth = 82;
    int FGaugeLeftMargin = 35;
    int FGaugeTopMargin = 3;
    TColor FGaugeColor = clNavy;
    TColor FGaugeColorBg = clSilver;
    TColor FGaugeColorFrame = clGray;
    TFrameStyle FGaugeFrameStyle = fsLowered;
    TNotifyEvent FOnChange;
    TOnGaugeChangeEvent FOnGaugeChange;
    double FNotifiedValue = 0; // value and text last announced by ValueChanged / TextChanged
    QString FNotifiedText;
};

// What the painting steps share.
struct TNumIO2::PaintState
{
    TCanvas *c;
    TNumIO2Layout Layout;
    int W, H, G, S, Ty;
    bool Enabled, Out;
};

} // namespace kro
