#include <krogui/forms/formcontrols.h>

#include <krogui/browse/foldertree.h>
#include <krogui/browse/thumbnails.h>
#include <krogui/buttons/colsel.h>
#include <krogui/buttons/marksel.h>
#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/repsbut.h>
#include <krogui/buttons/speedbutton.h>
#include <krogui/displays/gradfill.h>
#include <krogui/displays/numlab.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/displays/rotlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/gauges/meter.h>
#include <krogui/gauges/progbar.h>
#include <krogui/grid/customgrid.h>
#include <krogui/minical/minical.h>
#include <krogui/ntabed/ntabed.h>
#include <krogui/numio/numio.h>
#include <krogui/numio/numio2.h>
#include <krogui/replist/reportlistview.h>

namespace kro {

namespace {

template <class T> QWidget *Make(QWidget *Parent)
{
    return new T(Parent);
}

} // namespace

QString TFormControlClass::ShortName() const
{
    const QString Name = QString::fromLatin1(ClassName);
    return Name.mid(Name.lastIndexOf(QLatin1Char(':')) + 1);
}

const std::vector<TFormControlClass> &FormControlClasses()
{
    static const std::vector<TFormControlClass> Classes = {
        {"kro::TNumIO", "krogui/numio/numio.h", "Edit field for numbers in eight formats, with range check",
         &Make<TNumIO>, &TNumIO::staticMetaObject},
        {"kro::TNumIO2", "krogui/numio/numio2.h",
         "Self-drawn numeric field with spin buttons and a draggable gauge", &Make<TNumIO2>,
         &TNumIO2::staticMetaObject},
        {"kro::TNumLab", "krogui/displays/numlab.h",
         "Number in a framed label box with side texts and overflow indicator", &Make<TNumLab>,
         &TNumLab::staticMetaObject},
        {"kro::TSevenSeg", "krogui/displays/sevenseg.h", "Slanted seven-segment LED display",
         &Make<TSevenSeg>, &TSevenSeg::staticMetaObject},
        {"kro::TRasterLab", "krogui/displays/rasterlab.h",
         "Dot-matrix label with its own dot font, raster and scrolling", &Make<TRasterLab>,
         &TRasterLab::staticMetaObject},
        {"kro::TRotLab", "krogui/displays/rotlab.h", "Label drawn at any angle around an anchor",
         &Make<TRotLab>, &TRotLab::staticMetaObject},
        {"kro::TGradFill", "krogui/displays/gradfill.h", "Stepped colour gradient with grid lines and frame",
         &Make<TGradFill>, &TGradFill::staticMetaObject},
        {"kro::TMeter", "krogui/gauges/meter.h",
         "Analogue meter with scale, range band, two needles and limit lamps", &Make<TMeter>,
         &TMeter::staticMetaObject},
        {"kro::TProgBar", "krogui/gauges/progbar.h", "Progress bar in one colour or through a colour table",
         &Make<TProgBar>, &TProgBar::staticMetaObject},
        {"kro::TReportListView", "krogui/replist/reportlistview.h",
         "Report list grid with header rows, check marks, sorting and filtering", &Make<TReportListView>,
         &TReportListView::staticMetaObject},
        {"kro::TDrawGrid", "krogui/grid/customgrid.h",
         "Grid with fixed rows and columns whose cells the application draws", &Make<TDrawGrid>,
         &TDrawGrid::staticMetaObject},
        {"kro::TNTabEd", "krogui/ntabed/ntabed.h",
         "Numeric table editor with names, attributes, cell states and marks", &Make<TNTabEd>,
         &TNTabEd::staticMetaObject},
        {"kro::TMiniCal", "krogui/minical/minical.h", "Month calendar with week numbers and holidays",
         &Make<TMiniCal>, &TMiniCal::staticMetaObject},
        {"kro::TOnOffBut", "krogui/buttons/onoffbut.h", "Two-state button drawn from glyph sheets",
         &Make<TOnOffBut>, &TOnOffBut::staticMetaObject},
        {"kro::TSpeedButton", "krogui/buttons/speedbutton.h",
         "Speed button with groups, down state and glyph", &Make<TSpeedButton>,
         &TSpeedButton::staticMetaObject},
        {"kro::TRepSpeedButton", "krogui/buttons/repsbut.h", "Speed button that repeats its click while held",
         &Make<TRepSpeedButton>, &TRepSpeedButton::staticMetaObject},
        {"kro::TMarkSel", "krogui/buttons/marksel.h", "Grid of the 52 marker symbols to pick from",
         &Make<TMarkSel>, &TMarkSel::staticMetaObject},
        {"kro::TColSel", "krogui/buttons/colsel.h", "Drop-down of named colours with colour bars",
         &Make<TColSel>, &TColSel::staticMetaObject},
        {"kro::TThumbnails", "krogui/browse/thumbnails.h",
         "Wall of slides painted on request, with smooth scrolling and selection", &Make<TThumbnails>,
         &TThumbnails::staticMetaObject},
        {"kro::TFolderTree", "krogui/browse/foldertree.h", "Folder tree of the file system, read lazily",
         &Make<TFolderTree>, &TFolderTree::staticMetaObject},
    };
    return Classes;
}

const TFormControlClass *FindFormControlClass(const QString &ClassName)
{
    const bool Qualified = ClassName.contains(QLatin1String("::"));
    for (const TFormControlClass &C : FormControlClasses()) {
        if (Qualified ? ClassName == QLatin1String(C.ClassName) : ClassName == C.ShortName()) return &C;
    }
    return nullptr;
}

TComponentBase *ComponentOf(QWidget *Widget)
{
    return dynamic_cast<TComponentBase *>(Widget);
}

} // namespace kro
