#pragma once
// The numbers behind the analogue meter, apart from any widget: the layout of the scale in the
// control, value to angle on linear and logarithmic scales, the tick step, the minor and major
// tick positions, the label texts and the mapping of a pixel back to a value.
//
// Angles called "drawing angles" are in degrees, counter-clockwise from the positive x axis with
// y pointing up; the minimum of the scale lies at 90 + A/2, the maximum at 90 - A/2 (A = sweep).

#include <krogui/kroguiexport.h>

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

namespace kro {
namespace MeterEnums {
Q_NAMESPACE_EXPORT(KROGUI_EXPORT)
/// The shape of the scale; the number is its sweep in degrees.
enum TMeterLayout : int { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };
Q_ENUM_NS(TMeterLayout)
} // namespace MeterEnums
using namespace MeterEnums;

/// Centre, radius and sweep of a meter's scale in control coordinates (y downwards).
struct TMeterGeometry
{
    int MeterAngle = 90;
    double MeterRadius = 0;
    int MeterCenterX = 0;
    int MeterCenterY = 0;
};

/// The geometry of a scale of Layout in a control of Width x Height with the given cover rims.
/// The radius may come out zero or negative for small controls (nothing is drawn then).
KROGUI_EXPORT TMeterGeometry CalcMeterGeometry(TMeterLayout Layout, int Width, int Height, int RimTop,
                                               int RimSide, int RimBottom);

/// The smallest control (with the given rims) that holds a scale of Layout with radius Radius.
KROGUI_EXPORT QSize MeterSizeForRadius(TMeterLayout Layout, double Radius, int RimTop, int RimSide,
                                       int RimBottom);
/// The height at which a control of Width shows the largest scale of Layout without spare room.
KROGUI_EXPORT int MeterHeightForWidth(TMeterLayout Layout, int Width, int RimTop, int RimSide, int RimBottom);

/// The sweep in degrees named by a layout (90 for unknown ordinals).
KROGUI_EXPORT int MeterLayoutSweep(TMeterLayout Layout);

/// True when Min and Max are finite, Max > Min and their distance is finite: the only ranges
/// that get a scale.
KROGUI_EXPORT bool MeterRangeUsable(double Min, double Max);

/// Position of Value on the scale, 0 at Min and 1 at Max, not clamped. The logarithmic form is
/// taken when Logarithmic is set and Value, Min and Max are all above 0. An unusable range or a
/// NaN value gives 0.
KROGUI_EXPORT double MeterScaleFraction(double Value, double Min, double Max, bool Logarithmic);

/// The drawing angle (degrees) of Value on a scale of the given sweep: 90 + Sweep/2 - Sweep * f.
KROGUI_EXPORT double MeterDrawAngle(double Value, double Min, double Max, bool Logarithmic, int Sweep);

/// The needle angle in degrees clockwise from the downward vertical: Value is clamped to the
/// range first; the minimum lies at 180 - Sweep/2, the maximum at 180 + Sweep/2.
KROGUI_EXPORT double MeterNeedleAngle(double Value, double Min, double Max, bool Logarithmic, int Sweep);

/// The pixel at distance Radius from (CX, CY) on the ray of the drawing angle PhiDeg.
KROGUI_EXPORT QPoint MeterPointOnRay(int CX, int CY, double Radius, double PhiDeg);

/// The value under a pixel: false (and Value 0) when the pixel lies outside the angular range of
/// the scale. The distance from the centre is not tested; the centre maps to the middle.
KROGUI_EXPORT bool MeterPixelToValue(int X, int Y, const TMeterGeometry &Geometry, double Min, double Max,
                                     bool Logarithmic, double &Value);

/// First major value, major step and number of minor subdivisions of a scale.
struct TMeterTickStep
{
    double First = 0;
    double Step = 0;
    int Subdivisions = 1;
};

/// The tick step for at least NrTicks major intervals: the step is the largest 1, 2 or 5 x 10^k
/// not above (Max - Min) / NrTicks; First is the first multiple of it not below Min by more than a
/// thousandth of a step. Max = Min (or an unusable range) gives step 0.
KROGUI_EXPORT TMeterTickStep CalcMeterTickStep(double Min, double Max, int NrTicks);

/// The values that get a minor tick (majors and values below Min left out). Empty for a zero step.
KROGUI_EXPORT std::vector<double> MeterMinorTicks(double Min, double Max, const TMeterTickStep &Step);

struct TMeterMajorTick
{
    double Value = 0;
    bool Labelled = true;
};

/// The values that get a major tick, and which of them a label. A logarithmic scale spanning a
/// decade or more ticks 1..9 of every decade and labels 1, 2 and 5; other scales tick and label
/// every step. Empty for a zero step.
KROGUI_EXPORT std::vector<TMeterMajorTick> MeterMajorTicks(double Min, double Max, bool Logarithmic,
                                                           const TMeterTickStep &Step);

/// The label of a tick: fixed point with DecPlaces decimals, a point as separator, a minus only
/// for values that do not round to zero.
KROGUI_EXPORT QString MeterLabelText(double Value, int DecPlaces);

} // namespace kro
